#include "app/values_table_window.hpp"

#include "app/input_field.hpp"
#include "render/graph_painter.hpp"

#include <QAbstractTableModel>
#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSaveFile>
#include <QStyle>
#include <QTableView>
#include <QVBoxLayout>

#include <cmath>
#include <utility>
#include <vector>

namespace kelvora {

namespace {

constexpr int kColumnCount = 5;
const char* const kColumnNames[kColumnCount] = {"x", "f", "F", "S", "H"};

QString RefusalMessage(TableRefusal refusal) {
    switch (refusal) {
    case TableRefusal::StepNotPositive:
        return ValuesTableWindow::tr("步长必须大于 0。");
    case TableRefusal::EndBelowStart:
        return ValuesTableWindow::tr("终点不能小于起点。");
    case TableRefusal::TooManyRows:
        return ValuesTableWindow::tr("表格最多 %1 行：请缩小范围或加大步长。").arg(kMaxTableRows);
    case TableRefusal::InvalidParameters:
        return InvalidParameterMessage();
    case TableRefusal::None:
        break;
    }
    return {};
}

// A range end as a field shows it: ten significant digits, "." and no grouping, so that it
// reads back as typed.
QString RangeText(double v) {
    return QString::number(v, 'g', 10);
}

// A CSV field, quoted where it holds a separator or a quote (a decimal comma, for one).
QString CsvField(const QString& text) {
    if (!text.contains(QLatin1Char(',')) && !text.contains(QLatin1Char('"'))) {
        return text;
    }
    QString quoted = text;
    quoted.replace(QLatin1String("\""), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

} // namespace

// The rows of the last computation; the cell texts are made when shown.
class ValuesTableModel : public QAbstractTableModel {
public:
    using QAbstractTableModel::QAbstractTableModel;

    void setRows(std::vector<TableRow> rows, bool discrete) {
        beginResetModel();
        rows_ = std::move(rows);
        discrete_ = discrete;
        endResetModel();
    }

    void setPrecise(bool precise) {
        precise_ = precise;
        if (!rows_.empty()) {
            emit dataChanged(index(0, 1), index(int(rows_.size()) - 1, kColumnCount - 1));
        }
    }

    QString cellText(int row, int column) const {
        const TableRow& r = rows_[std::size_t(row)];
        switch (column) {
        case 0:
            // The x the row was computed at, to the fifteen digits it was computed with.
            return QString::number(r.x, 'g', 15);
        case 1:
            return precise_ ? PreciseText(r.preciseDensity) : r.density;
        case 2:
            return precise_ ? PreciseText(r.preciseCumulative) : r.cumulative;
        case 3:
            return precise_ ? PreciseText(r.preciseSurvival) : r.survival;
        default:
            if (discrete_) {
                return {};
            }
            return precise_ ? PreciseText(r.preciseHazard) : r.hazard;
        }
    }

    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : int(rows_.size());
    }
    int columnCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : kColumnCount;
    }
    QVariant data(const QModelIndex& index, int role) const override {
        if (role == Qt::DisplayRole) {
            return cellText(index.row(), index.column());
        }
        if (role == Qt::TextAlignmentRole) {
            return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
        }
        return {};
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
            section < kColumnCount) {
            return QString::fromLatin1(kColumnNames[section]);
        }
        return QAbstractTableModel::headerData(section, orientation, role);
    }

private:
    std::vector<TableRow> rows_;
    bool discrete_ = false;
    bool precise_ = false;
};

ValuesTableWindow::ValuesTableWindow(ToolSubjectSource subject, QLocale locale,
                                     FailureReporter reportFailure, QWidget* parent)
    : QDialog(parent), subject_(std::move(subject)), locale_(std::move(locale)),
      reportFailure_(std::move(reportFailure)) {
    setObjectName(QStringLiteral("ValuesTableWindow"));
    setModal(false);

    auto* range = new QGridLayout;
    const auto addField = [&](int column, const QString& caption, const char* name) {
        auto* field = new InputField(this);
        field->setObjectName(QString::fromLatin1(name));
        field->setMinimumWidth(fontMetrics().horizontalAdvance(QLatin1Char('0')) * 12);
        auto* label = new QLabel(caption, this);
        label->setBuddy(field);
        field->setAccessibleName(caption);
        range->addWidget(label, 0, 2 * column);
        range->addWidget(field, 0, 2 * column + 1);
        connect(field, &InputField::userEdited, this, [this] {
            rangeTyped_ = true;
            recompute();
        });
        return field;
    };
    start_ = addField(0, tr("起点"), "start");
    end_ = addField(1, tr("终点"), "end");
    step_ = addField(2, tr("步长"), "step");
    start_->setText(QStringLiteral("0"));
    end_->setText(QStringLiteral("1"));
    step_->setText(QStringLiteral("0.1"));
    defaultRange_ = new QPushButton(tr("默认范围"), this);
    defaultRange_->setObjectName(QStringLiteral("defaultRange"));
    range->addWidget(defaultRange_, 0, 6);
    range->setColumnStretch(7, 1);

    precise_ = new QCheckBox(tr("显示精确值"), this);
    precise_->setObjectName(QStringLiteral("precise"));

    message_ = new QLabel(this);
    message_->setObjectName(QStringLiteral("message"));
    message_->setWordWrap(true);
    message_->hide();

    model_ = new ValuesTableModel(this);
    view_ = new QTableView(this);
    view_->setObjectName(QStringLiteral("table"));
    view_->setModel(model_);
    view_->verticalHeader()->hide();
    view_->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    view_->setWordWrap(false);
    // Every column is wide enough for the longest readout, "-3.170534249e-05" or
    // "-0.0001234567890".
    const int column = fontMetrics().horizontalAdvance(QStringLiteral("-0.00012345678900")) + 12;
    view_->horizontalHeader()->setMinimumSectionSize(column);
    view_->setMinimumWidth(kColumnCount * column + 2 * view_->frameWidth() +
                           style()->pixelMetric(QStyle::PM_ScrollBarExtent));
    view_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    view_->setSelectionBehavior(QAbstractItemView::SelectRows);
    view_->setAlternatingRowColors(true);

    copy_ = new QPushButton(tr("复制"), this);
    copy_->setObjectName(QStringLiteral("copy"));
    save_ = new QPushButton(tr("保存…"), this);
    save_->setObjectName(QStringLiteral("save"));
    auto* close = new QPushButton(tr("关闭"), this);
    // Return in a range field recomputes nothing more and presses no button.
    for (QPushButton* button : {defaultRange_, copy_, save_, close}) {
        button->setAutoDefault(false);
    }
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(copy_);
    buttons->addWidget(save_);
    buttons->addStretch(1);
    buttons->addWidget(close);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(range);
    layout->addWidget(precise_);
    layout->addWidget(message_);
    layout->addWidget(view_, 1);
    layout->addLayout(buttons);

    connect(defaultRange_, &QPushButton::clicked, this, [this] {
        rangeTyped_ = false;
        applyDefaultRange();
        recompute();
    });
    connect(precise_, &QCheckBox::toggled, this, [this](bool on) { model_->setPrecise(on); });
    connect(copy_, &QPushButton::clicked, this, &ValuesTableWindow::copyTable);
    connect(save_, &QPushButton::clicked, this, &ValuesTableWindow::askAndSave);
    connect(close, &QPushButton::clicked, this, &QDialog::close);

    resize(minimumSizeHint().width(), 460);
    stale_ = true; // computed when first shown
}

ValuesTableWindow::~ValuesTableWindow() = default;

void ValuesTableWindow::follow(bool distributionChanged) {
    if (distributionChanged) {
        rangeTyped_ = false;
    }
    if (!isVisible()) {
        stale_ = true;
        return;
    }
    stale_ = false;
    if (!rangeTyped_) {
        applyDefaultRange();
    }
    recompute();
}

void ValuesTableWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (stale_) {
        follow(false);
    }
}

void ValuesTableWindow::applyDefaultRange() {
    const auto subject = subject_();
    if (!subject) {
        return;
    }
    if (const auto range = DefaultTableRange(subject->id, subject->params)) {
        start_->setText(RangeText(range->start));
        end_->setText(RangeText(range->end));
        step_->setText(RangeText(range->step));
    }
}

void ValuesTableWindow::recompute() {
    const auto subject = subject_();
    setWindowTitle(subject ? tr("数值表 — %1").arg(subject->name) : tr("数值表"));
    const auto refuse = [this](const QString& message) {
        model_->setRows({}, false);
        message_->setText(message);
        message_->show();
        copy_->setEnabled(false);
        save_->setEnabled(false);
    };
    if (!subject) {
        refuse(QString());
        return;
    }
    const auto start = ReadToolField(start_->text());
    const auto end = ReadToolField(end_->text());
    const auto step = ReadToolField(step_->text());
    if (!start || !end || !step) {
        refuse(tr("起点、终点或步长超出了可以表示的范围。"));
        return;
    }
    ValuesTable table =
        MakeValuesTable(subject->id, subject->params, TableRange{*start, *end, *step}, locale_);
    if (table.refusal != TableRefusal::None) {
        refuse(RefusalMessage(table.refusal));
        return;
    }
    message_->hide();
    model_->setRows(std::move(table.rows), IsDiscrete(subject->id));
    copy_->setEnabled(model_->rowCount() > 0);
    save_->setEnabled(model_->rowCount() > 0);
}

namespace {

QString JoinTable(const ValuesTableModel& model, const QString& separator, const QString& newline,
                  QString (*field)(const QString&)) {
    QStringList lines;
    QStringList cells;
    for (const char* name : kColumnNames) {
        cells.append(field(QString::fromLatin1(name)));
    }
    lines.append(cells.join(separator));
    for (int row = 0; row < model.rowCount(); ++row) {
        cells.clear();
        for (int column = 0; column < kColumnCount; ++column) {
            cells.append(field(model.cellText(row, column)));
        }
        lines.append(cells.join(separator));
    }
    return lines.join(newline) + newline;
}

QString AsIs(const QString& text) {
    return text;
}

} // namespace

QString ValuesTableWindow::tabSeparatedText() const {
    return JoinTable(*model_, QStringLiteral("\t"), QStringLiteral("\n"), AsIs);
}

void ValuesTableWindow::copyTable() {
    QGuiApplication::clipboard()->setText(tabSeparatedText());
}

void ValuesTableWindow::askAndSave() {
    QFileDialog dialog(this, tr("保存数值表"), QString(), tr("CSV 文件 (*.csv)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("csv"));
    dialog.selectFile(tr("数值表.csv"));
    if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()) {
        saveCsv(dialog.selectedFiles().constFirst());
    }
}

bool ValuesTableWindow::saveCsv(const QString& path) {
    const QByteArray bytes =
        JoinTable(*model_, QStringLiteral(","), QStringLiteral("\r\n"), CsvField).toUtf8();
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit()) {
        return true;
    }
    // Some of Qt's file errors name the file themselves: it is named once, in the first line.
    QString reason = file.errorString();
    reason.remove(path);
    reason.remove(QDir::toNativeSeparators(path));
    if (reportFailure_) {
        reportFailure_(this, tr("保存数值表"),
                       tr("无法将数值表保存到“%1”。").arg(QDir::toNativeSeparators(path)) +
                           QLatin1Char('\n') + reason.trimmed());
    }
    return false;
}

} // namespace kelvora
