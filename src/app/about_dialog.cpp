#include "app/about_dialog.hpp"

#include "app/help.hpp"

#include <QEvent>
#include <QFont>
#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>

namespace kelvora {

namespace {

// Client area and control rectangles in pixels (left, top, width, height).
constexpr int kClientWidth = 296;
constexpr int kClientHeight = 118;

// The faces the dialog was drawn for; fontconfig substitutes the closest installed face
// (Liberation Serif and Liberation Sans are metric-compatible), the style hint covers systems
// without them.
QFont DialogFont(const QString& family, QFont::StyleHint hint, qreal pointSize) {
    QFont font(family);
    font.setStyleHint(hint);
    font.setPointSizeF(pointSize);
    return font;
}

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text, const QFont& font,
                  const QRect& geometry) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setFont(font);
    label->setGeometry(geometry);
    label->setFocusPolicy(Qt::NoFocus);
    label->setTextFormat(Qt::PlainText);
    return label;
}

} // namespace

About::About(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("About"));
    setWindowTitle(tr("关于 Kelvora"));
    setModal(true);
    setFixedSize(kClientWidth, kClientHeight);
    setSizeGripEnabled(false);

    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    setAutoFillBackground(true);

    MakeLabel(
        this, "lblTitle", QStringLiteral("Kelvora"),
        [] {
            QFont font = DialogFont(QStringLiteral("Times New Roman"), QFont::Serif, 15.75);
            font.setBold(true);
            return font;
        }(),
        QRect(24, 16, 219, 24));
    MakeLabel(this, "Label2", tr("版本 2.1"),
              DialogFont(QStringLiteral("Arial"), QFont::SansSerif, 9.0), QRect(200, 44, 73, 17));

    // A one-pixel grey rule from (4, 68) to (290, 68).
    auto* line = new QFrame(this);
    line->setObjectName(QStringLiteral("Line1"));
    line->setFrameShape(QFrame::NoFrame);
    QPalette grey = line->palette();
    grey.setColor(QPalette::Window, QColor(128, 128, 128));
    line->setPalette(grey);
    line->setAutoFillBackground(true);
    line->setGeometry(4, 68, 287, 1);

    QFont linkFont = DialogFont(QStringLiteral("Arial"), QFont::SansSerif, 8.25);
    linkFont.setUnderline(true);
    Label1_ =
        MakeLabel(this, "Label1", QString::fromLatin1(kHomePage), linkFont, QRect(4, 76, 105, 17));
    QPalette link = Label1_->palette();
    link.setColor(QPalette::WindowText, link.color(QPalette::Highlight));
    Label1_->setPalette(link);
    Label1_->setCursor(Qt::PointingHandCursor);
    Label1_->setToolTip(QString::fromLatin1(kHomePage));
    // The address is longer than the box drawn for it: widen it rather than cut it, up to the
    // button.
    Label1_->resize(qBound(105, Label1_->sizeHint().width(), 196 - 4 - 4), 17);
    Label1_->installEventFilter(this);

    cmdOK_ = new QPushButton(tr("确  定"), this);
    cmdOK_->setObjectName(QStringLiteral("cmdOK"));
    cmdOK_->setGeometry(196, 84, 84, 23);
    QPalette button = cmdOK_->palette();
    button.setColor(QPalette::Button, Qt::white);
    cmdOK_->setPalette(button);
    // Enter presses the default button; Escape rejects the dialog, which closes it just the same.
    cmdOK_->setDefault(true);
    cmdOK_->setAutoDefault(true);
    cmdOK_->setFocus(Qt::OtherFocusReason);
    connect(cmdOK_, &QPushButton::clicked, this, &About::cmdOK_Click);
}

bool About::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Label1_ && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton &&
        Label1_->rect().contains(static_cast<QMouseEvent*>(event)->position().toPoint())) {
        Label1_Click();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void About::Label1_Click() {
    OpenHomePage(this);
}

void About::cmdOK_Click() {
    accept();
}

} // namespace kelvora
