#include "app/input_field.hpp"

#include <QKeyEvent>
#include <QValidator>

#include <limits>

namespace kelvora {

namespace {

// Cleans every edit that reaches the text without a key press of its own (paste, drop, input
// method), moving the cursor back by the characters dropped before it. Key presses are
// filtered earlier, so that a rejected key does not replace the selection.
class FieldCharacterValidator : public QValidator {
public:
    using QValidator::QValidator;

    State validate(QString& input, int& pos) const override {
        int admittedBeforeCursor = 0;
        QString filtered;
        filtered.reserve(input.size());
        for (qsizetype i = 0; i < input.size(); ++i) {
            if (IsAdmittedCharacter(input[i])) {
                filtered.append(input[i]);
                if (i < pos) {
                    ++admittedBeforeCursor;
                }
            }
        }
        if (filtered.size() != input.size()) {
            input = filtered;
            pos = admittedBeforeCursor;
        }
        return Acceptable;
    }
};

// True when the key event would type its text into the field rather than act as a command.
bool TypesText(const QKeyEvent& event) {
    const QString text = event.text();
    if (text.isEmpty()) {
        return false;
    }
    for (const QChar c : text) {
        if (!c.isPrint()) {
            return false;
        }
    }
    return !(event.modifiers() & (Qt::ControlModifier | Qt::MetaModifier));
}

} // namespace

bool IsAdmittedCharacter(QChar c) {
    const char16_t u = c.unicode();
    return (u >= u'0' && u <= u'9') || u == u',' || u == u'-' || u == u'.';
}

QString FilterFieldText(const QString& text) {
    QString filtered;
    filtered.reserve(text.size());
    for (const QChar c : text) {
        if (IsAdmittedCharacter(c)) {
            filtered.append(c);
        }
    }
    return filtered;
}

InputField::InputField(QWidget* parent) : QLineEdit(parent) {
    setMaxLength(std::numeric_limits<int>::max());
    setValidator(new FieldCharacterValidator(this));
    // Numbers are typed directly; an input method would only offer characters the field drops.
    setAttribute(Qt::WA_InputMethodEnabled, false);
    // Tracks the text the program sets too, so that a user edit is measured against it.
    connect(this, &QLineEdit::textChanged, this, [this] { committedText_ = text(); });
    connect(this, &QLineEdit::textEdited, this, &InputField::onTextEdited);
}

void InputField::keyPressEvent(QKeyEvent* event) {
    if (TypesText(*event)) {
        const QString admitted = FilterFieldText(event->text());
        if (admitted.isEmpty()) {
            event->accept();
            return;
        }
        if (admitted != event->text()) {
            QKeyEvent filtered(event->type(), event->key(), event->modifiers(), admitted,
                               event->isAutoRepeat(), static_cast<quint16>(admitted.size()));
            QLineEdit::keyPressEvent(&filtered);
            event->setAccepted(filtered.isAccepted());
            return;
        }
    }
    QLineEdit::keyPressEvent(event);
}

void InputField::onTextEdited() {
    const QString current = text();
    if (current == committedText_) {
        return;
    }
    committedText_ = current;
    emit userEdited();
}

} // namespace kelvora
