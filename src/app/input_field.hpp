// The single-line input field of the parameters, x and q: admits only the characters a number
// can be typed with, from every source (keyboard, paste, drop, input method), and reports each
// change the user makes to its text.
#pragma once

#include <QLineEdit>
#include <QString>

namespace kelvora {

// Digits, comma, minus sign and full stop. Backspace is a key, not a character of the text.
bool IsAdmittedCharacter(QChar c);

// `text` without the characters IsAdmittedCharacter rejects.
QString FilterFieldText(const QString& text);

class InputField : public QLineEdit {
    Q_OBJECT
public:
    explicit InputField(QWidget* parent = nullptr);

signals:
    // The user changed the text (typing, deleting, cutting, pasting, dropping, undoing).
    // Not emitted for text set by the program, nor for an edit that leaves the text as it was.
    void userEdited();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void onTextEdited();

    QString committedText_;
};

} // namespace kelvora
