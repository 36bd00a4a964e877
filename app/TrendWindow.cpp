#include "app/TrendWindow.h"

#include "console/AtomicFile.h"
#include "console/TrendLog.h"
#include "plot/TiPlotAnnotation.h"
#include "plot/TiPlotAxis.h"
#include "plot/TiPlotDataCursor.h"
#include "plot/TiPlotDataView.h"
#include "plot/TiPlotExport.h"
#include "plot/TiPlotLegend.h"
#include "plot/TiPlotLimit.h"
#include "plot/TiPlotToolBar.h"
#include "plot/TiPlotXAxis.h"
#include "plot/TiPlotYAxis.h"
#include "plot/TiXYPlot.h"
#include "plot/TiXYPlotChannel.h"
#include "widgets/TiError.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateTime>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <limits>

using LiveQuantities::kCount;
using LiveQuantities::kQuantities;
using LiveQuantities::Sample;

namespace {

constexpr double kMsPerDay = 86'400'000.0;
// 1970-01-01 as a day count from 1899-12-30, the time axis' origin.
constexpr double kUnixEpochDays = 25569.0;
// Marks beyond this many are dropped, oldest first, from the plot.
constexpr std::size_t kMaxMarks = 400;

// One band of the plot per unit, bottom to top: its part of the height and
// the range it starts with (measurements widen it as values arrive).
struct Band {
    const char* unit;
    double start, stop;
    double min, span;
};
constexpr std::array<Band, 5> kBands{{
    {"0/1", 0, 16, -0.25, 1.5},
    {"A", 20, 36, 0, 10},
    {"V", 40, 54, 40, 20},
    {"°C", 58, 76, -10, 50},
    {"rpm", 80, 100, 0, 3000},
}};

// Colours that read on black, one per quantity in table order.
constexpr std::array<TColor, 12> kPalette{0x00C0FF, 0x00FF80, 0xFF8040, 0xFF40FF, 0x4080FF, 0xFFFF00,
                                          0x80FFFF, 0x8080FF, 0x40FF40, 0xC0C0C0, 0x0080FF, 0xFF80C0};

QString unitOf(std::size_t quantity) { return QString::fromUtf8(kQuantities[quantity].unit.data(), int(kQuantities[quantity].unit.size())); }

TColor markColor(TrendMark::Kind kind)
{
    switch (kind) {
    case TrendMark::Kind::AlarmRaised: return 0x3030FF;  // red (0xBBGGRR)
    case TrendMark::Kind::AlarmCleared: return 0x30C030;
    case TrendMark::Kind::Write: return 0xFFC040;
    case TrendMark::Kind::WriteFailed: return 0x00A0FF;
    }
    return clWhite;
}

} // namespace

TrendWindow::TrendWindow(TrendRecorder& recorder, TrendLog* log, QWidget* parent)
    : QWidget(parent, Qt::Window), recorder_(recorder), log_(log), viewing_(&recorder)
{
    setObjectName("TrendWindow");
    resize(1180, 720);

    spanBox_ = new QComboBox(this);
    spanBox_->setObjectName("TrendSpan");
    spanBox_->addItems({tr("1 min"), tr("10 min"), tr("1 h"), tr("8 h"), tr("24 h"), tr("All")});
    pause_ = new QPushButton(tr("Pause"), this);
    pause_->setObjectName("TrendPause");
    pause_->setCheckable(true);
    auto* liveButton = new QPushButton(tr("Live"), this);
    liveButton->setObjectName("TrendLive");
    auto* csvButton = new QPushButton(tr("Export CSV..."), this);
    csvButton->setObjectName("TrendExportCsv");
    auto* imageButton = new QPushButton(tr("Export Image..."), this);
    imageButton->setObjectName("TrendExportImage");
    auto* openButton = new QPushButton(tr("Open Log..."), this);
    openButton->setObjectName("TrendOpenLog");
    logBox_ = new QCheckBox(tr("Log to file"), this);
    logBox_->setObjectName("TrendLogToFile");
    logBox_->setChecked(log_ && log_->enabled());
    logBox_->setEnabled(log_ != nullptr);
    status_ = new QLabel(this);
    status_->setObjectName("TrendStatus");
    status_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    status_->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(new QLabel(tr("Span"), this));
    for (QWidget* w : std::initializer_list<QWidget*>{spanBox_, pause_, liveButton, csvButton, imageButton, openButton,
                                                      logBox_})
        buttons->addWidget(w);
    buttons->addWidget(status_, 1);

    buildPlot();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addLayout(buttons);
    layout->addWidget(plot_, 1);

    connect(spanBox_, &QComboBox::activated, this, &TrendWindow::setSpan);
    connect(pause_, &QPushButton::clicked, this, &TrendWindow::setPaused);
    connect(liveButton, &QPushButton::clicked, this, &TrendWindow::goLive);
    connect(csvButton, &QPushButton::clicked, this, [this] {
        const QString path = ask(tr("Export CSV"), tr("CSV files (*.csv)"), true);
        if (!path.isEmpty())
            exportCsv(path);
    });
    connect(imageButton, &QPushButton::clicked, this, [this] {
        const QString path = ask(tr("Export Image"), tr("Images (*.png *.jpg *.svg)"), true);
        if (!path.isEmpty())
            exportImage(path);
    });
    connect(openButton, &QPushButton::clicked, this, [this] {
        const QString path = ask(tr("Open Log"), tr("CSV files (*.csv);;All files (*)"), false);
        if (!path.isEmpty())
            openLog(path);
    });
    connect(logBox_, &QCheckBox::toggled, this, [this](bool on) {
        if (log_)
            log_->setEnabled(on);
        updateTitle();
    });

    showMessage_ = [this](const QString& text) {
        auto* box = new QMessageBox(QMessageBox::Warning, tr("Trend"), text, QMessageBox::Ok, this);
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->setModal(false);
        box->show();
    };

    spanBox_->setCurrentIndex(span_);
    display(recorder_);
    recorder_.addListener(this);
}

TrendWindow::~TrendWindow() { recorder_.removeListener(this); }

double TrendWindow::timeValue(std::int64_t wallMs, int utcOffsetSeconds)
{
    return kUnixEpochDays + double(wallMs + std::int64_t(utcOffsetSeconds) * 1000) / kMsPerDay;
}

TiPlotAxis& TrendWindow::timeAxis() { return *plot_->GetXAxis(0); }

void TrendWindow::buildPlot()
{
    plot_ = new TiXYPlot(this);
    plot_->setObjectName("TrendPlot");
    plot_->setMouseTracking(true);
    plot_->installEventFilter(this);
    plot_->SetTitleVisible(false);
    plot_->SetBackGroundColor(0x202020);
    plot_->SetUserCanEditObjects(false);
    plot_->GetToolBar(0)->SetVisible(false);
    plot_->RemoveAllChannels();

    TiPlotAxis& x = timeAxis();
    x.SetLabelsFormatStyle(iptfDateTime);
    x.SetDateTimeFormat(QStringLiteral("hh:nn:ss"));
    x.SetLabelsMinLength(8);
    x.SetTitleShow(false);
    x.SetTrackingStyle(iptsScrollSmooth);
    x.SetTrackingAlignFirstStyle(ipafsMax);
    x.SetRestoreValuesOnResume(false);
    x.SetCursorUseDefaultFormat(false);
    x.SetCursorFormatStyle(iptfDateTime);
    x.SetCursorDateTimeFormat(QStringLiteral("yyyy-mm-dd hh:nn:ss"));
    const double now = timeValue(QDateTime::currentMSecsSinceEpoch(), QDateTime::currentDateTime().offsetFromUtc());
    x.SetMinSpan(now - kSpanMs[std::size_t(span_)] / kMsPerDay, kSpanMs[std::size_t(span_)] / kMsPerDay);

    // The bands' places are set here, not found by the layout manager.
    plot_->DisableLayoutManager();
    for (std::size_t b = 0; b < kBands.size(); ++b) {
        TiPlotAxis& y = b == 0 ? *plot_->GetYAxis(0) : *plot_->GetYAxis(plot_->AddYAxis());
        const Band& band = kBands[b];
        y.SetName(QString::fromUtf8(band.unit));
        y.SetTitle(QString::fromUtf8(band.unit));
        y.SetTitleShow(true);
        y.SetStartPercent(band.start);
        y.SetStopPercent(band.stop);
        y.SetZOrder(0);
        y.SetMinSpan(band.min, band.span);
        y.SetTrackingStyle(iptsScaleMinMax);
        y.SetTrackingAlignFirstStyle(ipafsNone);
        y.SetMinorCount(1);
        if (b == 0) {
            // Alarms and outputs are 0 or 1: a fixed band.
            y.SetTrackingEnabled(false);
            y.SetDesiredIncrement(1);
            y.SetDesiredStart(0);
            y.SetMinorCount(0);
            y.SetLabelsPrecisionStyle(ipsFixedDecimalPoints);
            y.SetLabelsPrecision(0);
        }
    }
    // Adding an axis moved the others out by one band: all share the first.
    for (int i = 0; i < plot_->YAxisCount(); ++i)
        plot_->GetYAxis(i)->SetZOrder(0);
    plot_->SetDataViewZVert(1);
    plot_->GetLegend(0)->SetZOrder(2);
    plot_->EnableLayoutManager();
    TiPlotDataView& view = *plot_->GetDataView(0);
    view.SetGridXAxisName(x.Name());
    view.SetGridYAxisName(QStringLiteral("<All>"));
    view.SetGridLineColor(0x505050);

    for (std::size_t i = 0; i < kCount; ++i) {
        TiXYPlotChannel& c = *plot_->GetChannel(plot_->AddChannel());
        c.SetName(QString::fromUtf8(kQuantities[i].name.data(), int(kQuantities[i].name.size())));
        c.SetTitleText(QString::fromUtf8(kQuantities[i].label.data(), int(kQuantities[i].label.size())));
        c.SetXAxisName(x.Name());
        c.SetYAxisName(unitOf(i));
        c.SetColor(kPalette[i % kPalette.size()]);
        c.SetTraceLineWidth(1);
        // The time axis follows the samples once per sample, not per channel.
        c.SetXAxisTrackingEnabled(false);
        // Alarms show as marks; their lines and the outputs but the
        // compressor's and heater's wait for a click on their legend row.
        const std::string_view name = kQuantities[i].name;
        c.SetVisible(kQuantities[i].kind == LiveQuantities::Kind::Measurement || name == "compressor_running"
                     || name == "heater_running");
        if (!c.Visible())
            c.SetColor(clGray);
        channels_[i] = &c;
    }
    TiPlotLegend& legend = *plot_->GetLegend(0);
    legend.SetChannelNameColorStyle(iplcncsChannelColor);
    legend.SetRowSpacing(0.1);

    TiPlotDataCursor& cursor = *plot_->GetDataCursor(0);
    cursor.SetChannelName(QStringLiteral("<All>"));
    cursor.SetColor(clWhite);
    cursor.SetActive(false);

    connect(plot_, &TiPlotComponent::OnClickChannel, this, &TrendWindow::toggleChannel);
    connect(plot_, &TiPlotComponent::OnXAxisMinSpanChange, this, [this] { pause_->setChecked(paused()); });
}

void TrendWindow::setController(const TrendCsv::Header& header)
{
    header_ = header;
    updateTitle();
}

// ---------------------------------------------------------------- data

void TrendWindow::sampleRecorded(const Sample& sample)
{
    if (!viewingFile())
        addSample(sample);
}

void TrendWindow::markRecorded(const TrendMark& mark)
{
    if (!viewingFile())
        addMark(mark);
}

void TrendWindow::addSample(const Sample& sample)
{
    const double x = timeValue(sample.wallMs, sample.utcOffsetSeconds);
    if (oldestKept_ == 0)
        oldestKept_ = x;
    for (std::size_t i = 0; i < kCount; ++i) {
        TiXYPlotChannel& c = *channels_[i];
        const int n = c.GetCount();
        const std::optional<double>& v = sample.values[i];
        if (!v) {
            // One Null point breaks the line; it stands at the gap's time.
            if (n == 0 || c.GetDataNull(n - 1))
                continue;
            c.AddNull();
            c.SetDataX(n, x);
            continue;
        }
        // A run of equal values is drawn as its two ends: the newest one
        // moves instead of a point being added.
        if (n >= 2 && !c.GetDataNull(n - 1) && !c.GetDataNull(n - 2) && c.GetDataY(n - 1) == *v
            && c.GetDataY(n - 2) == *v) {
            c.SetDataX(n - 1, x);
            continue;
        }
        c.AddXY(x, *v);
    }
    newest_ = x;
    follow(x);
    // The plot keeps what the recorder keeps, trimmed in steps of an hour.
    if (x - oldestKept_ > 1.0 + 1.0 / 24)
        dropOlderThan(x - 1.0);
}

void TrendWindow::follow(double newest)
{
    TiPlotAxis& axis = timeAxis();
    if (!axis.TrackingEnabled())
        return;
    if (span_ == kAllSpan) {
        // Everything kept, from the oldest point to the newest.
        axis.SetMinSpan(oldestKept_, std::max(newest - oldestKept_, 1.0 / 1440));
        return;
    }
    axis.NewTrackingData(newest);
}

void TrendWindow::dropOlderThan(double x)
{
    for (TiXYPlotChannel* c : channels_) {
        int k = 0;
        while (k < c->GetCount() && c->GetDataX(k) < x)
            ++k;
        if (k > 0)
            c->DeletePoints(k);
    }
    while (!markTimes_.empty() && markTimes_.front() < x) {
        markTimes_.pop_front();
        plot_->DeleteLimit(0);
        plot_->DeleteAnnotation(0);
    }
    oldestKept_ = x;
}

void TrendWindow::addMark(const TrendMark& mark)
{
    const double x = timeValue(mark.wallMs, mark.utcOffsetSeconds);
    if (markTimes_.size() >= kMaxMarks) {
        markTimes_.pop_front();
        plot_->DeleteLimit(0);
        plot_->DeleteAnnotation(0);
    }
    const TColor color = markColor(mark.kind);
    TiPlotLimit& limit = *plot_->GetLimit(plot_->AddLimit());
    limit.SetStyle(ipltXValue);
    limit.SetAxisName(timeAxis().Name());
    limit.SetPosition(x);
    limit.SetColor(color);
    const bool write = mark.kind == TrendMark::Kind::Write || mark.kind == TrendMark::Kind::WriteFailed;
    limit.SetLineStyle(write ? iplsDash : iplsSolid);
    TiPlotAnnotation& note = *plot_->GetAnnotation(plot_->AddAnnotation());
    note.SetText(QString::fromStdString(mark.text));
    note.SetXReference(ipurScale);
    note.SetXAxisName(timeAxis().Name());
    note.SetX(x);
    // Neighbouring marks' texts take turns on four rows.
    note.SetY(1 + 4.0 * double(markTimes_.size() % 4));
    note.SetFont(TiFont{QStringLiteral("MS Sans Serif"), -10, clBlack});
    note.SetBrushColor(color);
    note.SetPenColor(color);
    markTimes_.push_back(x);
}

void TrendWindow::display(const TrendRecorder& source)
{
    viewing_ = &source;
    for (TiXYPlotChannel* c : channels_)
        c->Clear();
    plot_->RemoveAllLimits();
    plot_->RemoveAllAnnotations();
    markTimes_.clear();
    newest_ = 0;
    oldestKept_ = source.size() > 0 ? timeValue(source.sample(0).wallMs, source.sample(0).utcOffsetSeconds) : 0;
    const bool wasTracking = timeAxis().TrackingEnabled();
    timeAxis().SetTrackingEnabled(false);
    for (std::size_t k = 0; k < source.size(); ++k)
        addSample(source.sample(k));
    for (const TrendMark& m : source.marks())
        addMark(m);
    timeAxis().SetTrackingEnabled(wasTracking);
    if (source.size() > 0)
        setSpan(viewingFile() ? kAllSpan : span_);
    updateTitle();
}

// ---------------------------------------------------------------- view

void TrendWindow::setSpan(int index)
{
    span_ = std::clamp(index, 0, int(kSpanMs.size()) - 1);
    spanBox_->setCurrentIndex(span_);
    TiPlotAxis& axis = timeAxis();
    const bool longSpan = span_ == kAllSpan || kSpanMs[std::size_t(span_)] > 3'600'000;
    axis.SetDateTimeFormat(longSpan ? QStringLiteral("dd/mm hh:nn") : QStringLiteral("hh:nn:ss"));
    axis.SetLabelsMinLength(longSpan ? 11 : 8);
    if (span_ == kAllSpan) {
        axis.SetMinSpan(oldestKept_, std::max(newest_ - oldestKept_, 1.0 / 1440));
    } else {
        const double span = kSpanMs[std::size_t(span_)] / kMsPerDay;
        // Paused or scrolled back, the view keeps its right end.
        const double end = axis.TrackingEnabled() && newest_ != 0 ? newest_ : axis.GetMax();
        axis.SetMinSpan(end - span, span);
    }
}

bool TrendWindow::paused() const { return !plot_->GetXAxis(0)->TrackingEnabled(); }

void TrendWindow::setPaused(bool paused)
{
    timeAxis().SetTrackingEnabled(!paused);
    pause_->setChecked(paused);
    if (!paused)
        setSpan(span_);
}

void TrendWindow::goLive()
{
    if (viewingFile()) {
        file_.reset();
        fileName_.clear();
        display(recorder_);
    }
    setPaused(false);
}

void TrendWindow::toggleChannel(int index)
{
    if (index < 0 || index >= plot_->ChannelCount())
        return;
    // A hidden channel keeps its legend row, greyed, so it can be shown again.
    TiPlotChannelCustom& c = *plot_->GetChannelCustom(index);
    c.SetVisible(!c.Visible());
    c.SetColor(c.Visible() ? kPalette[std::size_t(index) % kPalette.size()] : clGray);
}

void TrendWindow::moveCursorTo(int x, int y)
{
    TiPlotDataCursor& cursor = *plot_->GetDataCursor(0);
    const TiRect view = plot_->GetDataView(0)->DrawRect();
    const bool inside = !view.IsEmpty() && x >= view.Left && x <= view.Right && y >= view.Top && y <= view.Bottom;
    cursor.SetActive(inside);
    if (inside)
        cursor.SetPosition(timeAxis().PixelsToPosition(x));
}

bool TrendWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == plot_) {
        if (event->type() == QEvent::MouseMove) {
            const auto* m = static_cast<QMouseEvent*>(event);
            moveCursorTo(int(m->position().x()), int(m->position().y()));
        } else if (event->type() == QEvent::Leave) {
            plot_->GetDataCursor(0)->SetActive(false);
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TrendWindow::updateTitle()
{
    QString controller = header_.address > 0
        ? tr("address %1 on %2").arg(header_.address).arg(QString::fromStdString(header_.port))
        : tr("no controller");
    if (!header_.firmware.empty())
        controller += QStringLiteral(" (%1)").arg(QString::fromStdString(header_.firmware));
    if (viewingFile()) {
        setWindowTitle(tr("Trend - %1").arg(QFileInfo(fileName_).fileName()));
        status_->setText(tr("Viewing %1; \"Live\" returns to the controller.").arg(fileName_));
        return;
    }
    setWindowTitle(tr("Trend - %1").arg(controller));
    if (!log_ || !log_->enabled())
        status_->setText(tr("Not logging to a file."));
    else if (log_->failed())
        status_->setText(tr("The log file could not be written."));
    else
        status_->setText(tr("Logging to %1").arg(QString::fromStdString(log_->folder())));
}

QString TrendWindow::rangeText() const
{
    const TiPlotAxis& axis = *plot_->GetXAxis(0);
    auto text = [](double days) {
        const qint64 ms = qint64(std::llround((days - kUnixEpochDays) * kMsPerDay));
        return QDateTime::fromMSecsSinceEpoch(ms, Qt::UTC).toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    };
    return text(axis.Min()) + QStringLiteral(" to ") + text(axis.GetMax());
}

// ---------------------------------------------------------------- files

QString TrendWindow::ask(const QString& caption, const QString& filter, bool save)
{
    if (askFile_)
        return askFile_(caption, filter, save);
    const QString folder = log_ ? QString::fromStdString(log_->folder()) : QString();
    return save ? QFileDialog::getSaveFileName(this, caption, folder, filter)
                : QFileDialog::getOpenFileName(this, caption, folder, filter);
}

void TrendWindow::message(const QString& text)
{
    if (showMessage_)
        showMessage_(text);
}

bool TrendWindow::openLog(const QString& path)
{
    const TrendCsv::ReadResult read = TrendCsv::readFile(path.toStdString());
    if (!read.table) {
        message(tr("Cannot open %1: %2").arg(path, QString::fromStdString(read.error.text())));
        return false;
    }
    // A log of any length is shown whole.
    auto source = std::make_unique<TrendRecorder>(std::numeric_limits<std::int64_t>::max() / 2);
    source->restore(read.table->samples, read.table->marks);
    file_ = std::move(source);
    fileName_ = path;
    header_ = read.table->header;
    display(*file_);
    return true;
}

bool TrendWindow::exportCsv(const QString& path)
{
    const TiPlotAxis& axis = *plot_->GetXAxis(0);
    std::string text = TrendCsv::comments(header_) + "# range " + rangeText().toStdString() + "\n" + TrendCsv::headerRow();
    for (std::size_t k = 0; k < viewing_->size(); ++k) {
        const Sample s = viewing_->sample(k);
        const double x = timeValue(s.wallMs, s.utcOffsetSeconds);
        if (x >= axis.Min() && x <= axis.GetMax())
            text += TrendCsv::row(s);
    }
    for (const TrendMark& m : viewing_->marks()) {
        const double x = timeValue(m.wallMs, m.utcOffsetSeconds);
        if (x >= axis.Min() && x <= axis.GetMax())
            text += TrendCsv::markLine(m);
    }
    const std::string error = AtomicFile::write(path.toStdString(), text);
    if (!error.empty()) {
        message(QString::fromStdString(error));
        return false;
    }
    return true;
}

bool TrendWindow::exportImage(const QString& path)
{
    const QString controller = header_.address > 0
        ? tr("Controller at address %1 on %2").arg(header_.address).arg(QString::fromStdString(header_.port))
        : tr("Controller");
    plot_->SetTitleText(controller + (header_.firmware.empty() ? QString() : QStringLiteral(" (%1)").arg(QString::fromStdString(header_.firmware)))
                        + QStringLiteral(", ") + rangeText());
    plot_->SetTitleVisible(true);
    bool ok = true;
    try {
        TiPlotExport::SaveImage(*plot_, path);
    } catch (const TiError& e) {
        message(e.Message());
        ok = false;
    }
    plot_->SetTitleVisible(false);
    return ok;
}
