// The About dialog: product name, version, the home page link and one button.
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace kelvora {

class About : public QDialog {
    Q_OBJECT
public:
    explicit About(QWidget* parent = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Label1_Click();
    void cmdOK_Click();

    QLabel* Label1_;
    QPushButton* cmdOK_;
};

} // namespace kelvora
