// The interval probabilities: P(X <= a), P(a < X <= b) and P(X > b) for the main window's
// distribution and parameters, and the central interval holding a probability p. Non-modal;
// while it is shown the main graph shades a < x <= b.
#pragma once

#include "app/tool_subject.hpp"
#include "render/graph_renderer.hpp"

#include <QDialog>
#include <QLocale>

#include <functional>
#include <optional>

class QLabel;

namespace kelvora {

class InputField;
class ResultField;

class IntervalDialog : public QDialog {
    Q_OBJECT
public:
    // `shadingChanged` is called when the shaded interval may have changed: the dialog was
    // shown or hidden, or a or b edited.
    IntervalDialog(ToolSubjectSource subject, QLocale locale, std::function<void()> shadingChanged,
                   QWidget* parent = nullptr);
    ~IntervalDialog() override;

    // Recomputes for the main window's distribution and parameters; a new distribution resets
    // a, b and p to values suited to it.
    void follow(bool distributionChanged);

    // The interval to shade: none while the dialog is hidden or a and b are refused.
    std::optional<GraphShading> shading() const;

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    struct Shown {
        ResultField* field = nullptr;
        std::optional<double> value;
    };

    void applyDefaults();
    void recompute();
    void computeInterval(const std::optional<ToolSubject>& subject);
    void computeCentral(const std::optional<ToolSubject>& subject);
    void display(Shown& shown, std::optional<double> value, bool whole);
    void clear(Shown& shown);

    ToolSubjectSource subject_;
    QLocale locale_;
    std::function<void()> shadingChanged_;
    bool shown_ = false;

    InputField* a_ = nullptr;
    InputField* b_ = nullptr;
    QLabel* belowLabel_ = nullptr;
    QLabel* insideLabel_ = nullptr;
    QLabel* aboveLabel_ = nullptr;
    Shown below_;
    Shown inside_;
    Shown above_;
    QLabel* intervalMessage_ = nullptr;

    InputField* p_ = nullptr;
    Shown lower_;
    Shown upper_;
    QLabel* heldLabel_ = nullptr;
    Shown held_;
    QLabel* centralMessage_ = nullptr;
};

} // namespace kelvora
