#include "app/interval_dialog.hpp"

#include "app/input_field.hpp"
#include "app/result_field.hpp"
#include "render/graph_painter.hpp"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <cmath>

namespace kelvora {

namespace {

// A whole point of a discrete distribution as a label shows it.
QString PointText(double v) {
    return QString::number(std::floor(v), 'g', 15);
}

QString FieldText(double v) {
    return QString::number(v, 'g', 10);
}

} // namespace

IntervalDialog::IntervalDialog(ToolSubjectSource subject, QLocale locale,
                               std::function<void()> shadingChanged, QWidget* parent)
    : QDialog(parent), subject_(std::move(subject)), locale_(std::move(locale)),
      shadingChanged_(std::move(shadingChanged)) {
    setObjectName(QStringLiteral("IntervalDialog"));
    setModal(false);

    const int digit = fontMetrics().horizontalAdvance(QLatin1Char('0'));
    const auto makeInput = [&](const char* name) {
        auto* field = new InputField(this);
        field->setObjectName(QString::fromLatin1(name));
        field->setMinimumWidth(digit * 12);
        return field;
    };
    const auto makeValue = [&](Shown& shown, const char* name) {
        auto* field = new ResultField(this);
        field->setObjectName(QString::fromLatin1(name));
        field->setMinimumWidth(digit * 12);
        // On the button face, as the main window's result fields.
        QPalette palette = field->palette();
        for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
            palette.setColor(group, QPalette::Base, palette.color(group, QPalette::Button));
        }
        field->setPalette(palette);
        field->setPreciseText([field, &shown] {
            return field->text().isEmpty() ? QString() : PreciseText(shown.value);
        });
        shown.field = field;
    };
    const auto makeMessage = [&](const char* name) {
        auto* label = new QLabel(this);
        label->setObjectName(QString::fromLatin1(name));
        label->setWordWrap(true);
        label->hide();
        return label;
    };

    auto* interval = new QGroupBox(tr("区间概率"), this);
    auto* intervalGrid = new QGridLayout(interval);
    a_ = makeInput("a");
    b_ = makeInput("b");
    auto* aLabel = new QLabel(QStringLiteral("a"), this);
    auto* bLabel = new QLabel(QStringLiteral("b"), this);
    aLabel->setBuddy(a_);
    bLabel->setBuddy(b_);
    a_->setAccessibleName(QStringLiteral("a"));
    b_->setAccessibleName(QStringLiteral("b"));
    auto* ends = new QHBoxLayout;
    ends->addWidget(aLabel);
    ends->addWidget(a_);
    ends->addSpacing(digit * 2);
    ends->addWidget(bLabel);
    ends->addWidget(b_);
    ends->addStretch(1);
    intervalGrid->addLayout(ends, 0, 0, 1, 2);
    belowLabel_ = new QLabel(this);
    insideLabel_ = new QLabel(this);
    aboveLabel_ = new QLabel(this);
    makeValue(below_, "below");
    makeValue(inside_, "inside");
    makeValue(above_, "above");
    int row = 1;
    for (const auto& [label, shown] :
         {std::pair{belowLabel_, &below_}, std::pair{insideLabel_, &inside_},
          std::pair{aboveLabel_, &above_}}) {
        label->setBuddy(shown->field);
        intervalGrid->addWidget(label, row, 0);
        intervalGrid->addWidget(shown->field, row, 1);
        ++row;
    }
    intervalMessage_ = makeMessage("intervalMessage");
    intervalGrid->addWidget(intervalMessage_, row, 0, 1, 2);
    intervalGrid->setColumnStretch(0, 1);

    auto* central = new QGroupBox(tr("中心区间"), this);
    auto* centralGrid = new QGridLayout(central);
    p_ = makeInput("p");
    p_->setAccessibleName(tr("概率 p"));
    auto* pLabel = new QLabel(tr("概率 p"), this);
    pLabel->setBuddy(p_);
    centralGrid->addWidget(pLabel, 0, 0);
    centralGrid->addWidget(p_, 0, 1);
    makeValue(lower_, "lower");
    makeValue(upper_, "upper");
    makeValue(held_, "held");
    auto* lowerLabel = new QLabel(tr("下端 x₁"), this);
    auto* upperLabel = new QLabel(tr("上端 x₂"), this);
    heldLabel_ = new QLabel(tr("所含概率 P(x₁ ≤ X ≤ x₂)"), this);
    lowerLabel->setBuddy(lower_.field);
    upperLabel->setBuddy(upper_.field);
    heldLabel_->setBuddy(held_.field);
    centralGrid->addWidget(lowerLabel, 1, 0);
    centralGrid->addWidget(lower_.field, 1, 1);
    centralGrid->addWidget(upperLabel, 2, 0);
    centralGrid->addWidget(upper_.field, 2, 1);
    centralGrid->addWidget(heldLabel_, 3, 0);
    centralGrid->addWidget(held_.field, 3, 1);
    centralMessage_ = makeMessage("centralMessage");
    centralGrid->addWidget(centralMessage_, 4, 0, 1, 2);
    centralGrid->setColumnStretch(0, 1);

    auto* close = new QPushButton(tr("关闭"), this);
    close->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(close);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(interval);
    layout->addWidget(central);
    layout->addStretch(1);
    layout->addLayout(buttons);

    for (InputField* end : {a_, b_}) {
        connect(end, &InputField::userEdited, this, [this] {
            computeInterval(subject_());
            if (shadingChanged_) {
                shadingChanged_();
            }
        });
    }
    connect(p_, &InputField::userEdited, this, [this] { computeCentral(subject_()); });
    connect(close, &QPushButton::clicked, this, &QDialog::close);

    follow(true);
}

IntervalDialog::~IntervalDialog() = default;

void IntervalDialog::follow(bool distributionChanged) {
    if (distributionChanged) {
        applyDefaults();
    }
    recompute();
}

// a and b at three and seven tenths of the graph's range, rounded to a hundredth of its order
// of magnitude (whole points for a discrete distribution); p = 0.95.
void IntervalDialog::applyDefaults() {
    p_->setText(QStringLiteral("0.95"));
    double a = 0.0;
    double b = 1.0;
    const auto subject = subject_();
    if (const auto range = subject ? DefaultTableRange(subject->id, subject->params)
                                   : std::optional<TableRange>()) {
        const double span = range->end - range->start;
        if (std::isfinite(span) && span > 0.0) {
            const double unit =
                IsDiscrete(subject->id) ? 1.0 : std::pow(10.0, std::floor(std::log10(span)) - 1.0);
            const auto pick = [&](double part) {
                const double v = std::round((range->start + part * span) / unit) * unit;
                return std::isfinite(v) ? v : range->start;
            };
            a = pick(0.3);
            b = pick(0.7);
        } else {
            a = range->start;
            b = range->end;
        }
    }
    a_->setText(FieldText(a));
    b_->setText(FieldText(b));
}

void IntervalDialog::recompute() {
    const auto subject = subject_();
    setWindowTitle(subject ? tr("区间概率 — %1").arg(subject->name) : tr("区间概率"));
    computeInterval(subject);
    computeCentral(subject);
}

void IntervalDialog::display(Shown& shown, std::optional<double> value, bool whole) {
    shown.value = value;
    QString text = kNotAvailable;
    if (value) {
        text = whole ? QString::number(*value, 'f', 0) : FormatResult(*value, locale_);
    }
    shown.field->setText(text);
    shown.field->setCursorPosition(0);
}

void IntervalDialog::clear(Shown& shown) {
    shown.value.reset();
    shown.field->clear();
}

void IntervalDialog::computeInterval(const std::optional<ToolSubject>& subject) {
    const auto a = ReadToolField(a_->text());
    const auto b = ReadToolField(b_->text());
    const bool discrete = subject && IsDiscrete(subject->id);
    // A discrete distribution counts whole points: the labels name the events exactly.
    if (discrete && a && b) {
        belowLabel_->setText(QStringLiteral("P(X ≤ %1)").arg(PointText(*a)));
        insideLabel_->setText(QStringLiteral("P(%1 < X ≤ %2)").arg(PointText(*a), PointText(*b)));
        aboveLabel_->setText(QStringLiteral("P(X > %1)").arg(PointText(*b)));
    } else {
        belowLabel_->setText(QStringLiteral("P(X ≤ a)"));
        insideLabel_->setText(QStringLiteral("P(a < X ≤ b)"));
        aboveLabel_->setText(QStringLiteral("P(X > b)"));
    }

    const auto refuse = [this](const QString& message) {
        for (Shown* shown : {&below_, &inside_, &above_}) {
            clear(*shown);
        }
        intervalMessage_->setText(message);
        intervalMessage_->setVisible(!message.isEmpty());
    };
    if (!a || !b) {
        refuse(tr("a 或 b 超出了可以表示的范围。"));
        return;
    }
    if (*a > *b) {
        refuse(tr("a 不能大于 b。"));
        return;
    }
    if (!subject) {
        refuse(QString());
        return;
    }
    const IntervalProbabilities p = IntervalProbability(subject->id, subject->params, *a, *b);
    // Every interval of a valid distribution has a probability: none at all means the
    // parameters are invalid.
    if (!p.below && !p.inside && !p.above) {
        refuse(InvalidParameterMessage());
        return;
    }
    intervalMessage_->hide();
    display(below_, p.below, false);
    display(inside_, p.inside, false);
    display(above_, p.above, false);
}

void IntervalDialog::computeCentral(const std::optional<ToolSubject>& subject) {
    const bool discrete = subject && IsDiscrete(subject->id);
    heldLabel_->setVisible(discrete);
    held_.field->setVisible(discrete);

    const auto refuse = [this](const QString& message) {
        for (Shown* shown : {&lower_, &upper_, &held_}) {
            clear(*shown);
        }
        centralMessage_->setText(message);
        centralMessage_->setVisible(!message.isEmpty());
    };
    const auto p = ReadToolField(p_->text());
    if (!p || *p < 0.0 || *p > 1.0) {
        refuse(tr("p 须在 0 与 1 之间。"));
        return;
    }
    if (!subject) {
        refuse(QString());
        return;
    }
    const CentralInterval c = CentralIntervalFor(subject->id, subject->params, *p);
    centralMessage_->hide();
    display(lower_, c.lower, discrete);
    display(upper_, c.upper, discrete);
    display(held_, c.held, false);
}

std::optional<GraphShading> IntervalDialog::shading() const {
    if (!shown_) {
        return std::nullopt;
    }
    const auto a = ReadToolField(a_->text());
    const auto b = ReadToolField(b_->text());
    if (!a || !b || *a > *b) {
        return std::nullopt;
    }
    return GraphShading{*a, *b};
}

void IntervalDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    shown_ = true;
    if (shadingChanged_) {
        shadingChanged_();
    }
}

void IntervalDialog::hideEvent(QHideEvent* event) {
    QDialog::hideEvent(event);
    shown_ = false;
    if (shadingChanged_) {
        shadingChanged_();
    }
}

} // namespace kelvora
