// A read-only result field with a precise readout: its tooltip shows the value to ten
// significant digits and its context menu, besides the standard entries, copies that text.
// The readout is asked for when shown, so it always belongs to the inputs of the moment.
#pragma once

#include <QLineEdit>
#include <QString>

#include <functional>

class QMenu;

namespace kelvora {

class ResultField : public QLineEdit {
    Q_OBJECT
public:
    explicit ResultField(QWidget* parent = nullptr);

    // The readout of the field's value; without one the field has no tooltip and no entry.
    void setPreciseText(std::function<QString()> preciseText);
    QString preciseText() const;

    // The standard menu of a read-only line edit with "复制精确值" appended; the caller owns it.
    QMenu* createContextMenu();

protected:
    bool event(QEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    std::function<QString()> preciseText_;
};

} // namespace kelvora
