// The values table: x, f, F, S and H over a range of x for the main window's distribution and
// parameters, as four-decimal texts or as the precise readout; copied as tab-separated text or
// saved as CSV. Non-modal; it follows the main window.
#pragma once

#include "app/tool_subject.hpp"

#include <QDialog>
#include <QLocale>

#include <functional>

class QCheckBox;
class QLabel;
class QPushButton;
class QTableView;

namespace kelvora {

class InputField;
class ValuesTableModel;

class ValuesTableWindow : public QDialog {
    Q_OBJECT
public:
    using FailureReporter =
        std::function<void(QWidget* parent, const QString& title, const QString& reason)>;

    ValuesTableWindow(ToolSubjectSource subject, QLocale locale, FailureReporter reportFailure,
                      QWidget* parent = nullptr);
    ~ValuesTableWindow() override;

    // Recomputes for the main window's distribution and parameters; a new distribution, or a
    // range the user has not typed, takes the default range. A hidden window recomputes when
    // it is shown again: a long table costs nothing while closed.
    void follow(bool distributionChanged);

    // The shown table as tab-separated lines, header first.
    QString tabSeparatedText() const;
    // Writes the shown table as CSV through QSaveFile; a failure is reported, naming the file.
    bool saveCsv(const QString& path);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void applyDefaultRange();
    void recompute();
    void copyTable();
    void askAndSave();

    ToolSubjectSource subject_;
    QLocale locale_;
    FailureReporter reportFailure_;
    bool rangeTyped_ = false;
    bool stale_ = false;

    InputField* start_ = nullptr;
    InputField* end_ = nullptr;
    InputField* step_ = nullptr;
    QPushButton* defaultRange_ = nullptr;
    QCheckBox* precise_ = nullptr;
    QLabel* message_ = nullptr;
    QTableView* view_ = nullptr;
    ValuesTableModel* model_ = nullptr;
    QPushButton* copy_ = nullptr;
    QPushButton* save_ = nullptr;
};

} // namespace kelvora
