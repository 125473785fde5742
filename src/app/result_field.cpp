#include "app/result_field.hpp"

#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QMenu>

namespace kelvora {

ResultField::ResultField(QWidget* parent) : QLineEdit(parent) {
    setReadOnly(true);
}

void ResultField::setPreciseText(std::function<QString()> preciseText) {
    preciseText_ = std::move(preciseText);
}

QString ResultField::preciseText() const {
    return preciseText_ ? preciseText_() : QString();
}

bool ResultField::event(QEvent* event) {
    // The tooltip is set just before it shows, from the readout of this moment.
    if (event->type() == QEvent::ToolTip && preciseText_) {
        setToolTip(preciseText());
    }
    return QLineEdit::event(event);
}

QMenu* ResultField::createContextMenu() {
    QMenu* menu = createStandardContextMenu();
    if (preciseText_) {
        menu->addSeparator();
        QAction* copy = menu->addAction(tr("复制精确值"));
        copy->setObjectName(QStringLiteral("copyPreciseValue"));
        connect(copy, &QAction::triggered, this,
                [this] { QGuiApplication::clipboard()->setText(preciseText()); });
    }
    return menu;
}

void ResultField::contextMenuEvent(QContextMenuEvent* event) {
    // As QLineEdit does it: the menu, a child of the field, deletes itself once closed.
    QMenu* menu = createContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}

} // namespace kelvora
