#include "plot/TiPlotComponent.h"

#include "files/RegularFile.h"
#include "files/ReplacingFile.h"
#include "plot/TiPlotPropertyLimits.h"
#include "plot/TiPlotStorage.h"
#include "widgets/TiCanvas.h"
#include "widgets/TiError.h"

#include <QFile>
#include <QMetaMethod>

TiPlotComponent::TiPlotComponent(QWidget* parent)
    : TiCustomComponent(parent), m_master(std::make_unique<TiPlotMasterManager>(this))
{
    SetBackGroundColor(clBlack);
    SetBorderStyle(ibsLowered);
    SetUpdateFrameRate(60);
    SetAutoFrameRate(true);
    resize(500, 200);
}

TiPlotComponent::~TiPlotComponent() = default;

void TiPlotComponent::CreateDefaultObjects()
{
    DisableLayoutManager();
    GetToolBar(AddToolBar())->SetZOrder(3);
    GetLegend(AddLegend())->SetZOrder(2);
    AddXAxis();
    AddYAxis();
    AddChannel();
    AddDataView();
    AddDataCursor();
    TiPlotLabel* title = GetLabel(AddLabel());
    title->SetZOrder(2);
    title->SetName(QStringLiteral("Title"));
    title->SetCaption(QStringLiteral("Untitled"));
    title->SetMarginBottom(0);
    EnableLayoutManager();
}

// ---------------------------------------------------------------- operations

void TiPlotComponent::DeleteObject(TiPlotKind kind, int index)
{
    if (kind == TiPlotKind::Label && index == 0)
        throw TiError(QStringLiteral("Label Index 0 can not be Deleted (Resevered for Title)"));
    m_master->FreeObject(kind, index);
}

void TiPlotComponent::RemoveAllObjects(TiPlotKind kind)
{
    if (kind != TiPlotKind::Label) {
        m_master->ClearManager(kind);
        return;
    }
    while (LabelCount() > 1)
        m_master->FreeObject(kind, LabelCount() - 1);
}

void TiPlotComponent::DeleteChannel(int index)
{
    m_master->FreeObject(TiPlotKind::Channel, index);
    InvalidateChange();
}

int TiPlotComponent::AddObject(TiPlotKind kind)
{
    const int index = m_master->Add(kind);
    if (kind != TiPlotKind::Annotation)
        return index;
    TiPlotAnnotation* annotation = GetAnnotation(index);
    annotation->SetFont(m_annotationDefaultFont);
    annotation->SetBrushStyle(m_annotationDefaultBrushStyle);
    annotation->SetBrushColor(m_annotationDefaultBrushColor);
    annotation->SetPenStyle(m_annotationDefaultPenStyle);
    annotation->SetPenColor(m_annotationDefaultPenColor);
    annotation->SetPenWidth(m_annotationDefaultPenWidth);
    return index;
}

int TiPlotComponent::AddTranslation(const QString& text, const QString& replacement)
{
    return m_master->AddTranslation(text, replacement);
}

void TiPlotComponent::DeleteTranslation(int index) { m_master->TranslationManager().Delete(index); }

void TiPlotComponent::RemoveAllTranslations() { m_master->TranslationManager().Clear(); }

void TiPlotComponent::ClearAllData()
{
    SetLoggingActive(false);
    m_master->ClearAllData();
}

void TiPlotComponent::DisableAllTracking()
{
    for (int i = 0; i < XAxisCount(); ++i)
        GetXAxis(i)->SetTrackingEnabled(false);
    for (int i = 0; i < YAxisCount(); ++i)
        GetYAxis(i)->SetTrackingEnabled(false);
}

void TiPlotComponent::EnableAllTracking()
{
    for (int i = 0; i < XAxisCount(); ++i)
        GetXAxis(i)->SetTrackingEnabled(true);
    for (int i = 0; i < YAxisCount(); ++i)
        GetYAxis(i)->SetTrackingEnabled(true);
}

// ---------------------------------------------------------------- routing

void TiPlotComponent::MasterChange() { InvalidateChange(); }

void TiPlotComponent::MasterRemove(TiPlotObject*) {}

namespace {

// The axis events in the order X min, span, min-span, then Y.
const QMetaMethod& AxisSignal(int which)
{
    static const QMetaMethod signals_[] = {
        QMetaMethod::fromSignal(&TiPlotComponent::OnXAxisMinChange),
        QMetaMethod::fromSignal(&TiPlotComponent::OnXAxisSpanChange),
        QMetaMethod::fromSignal(&TiPlotComponent::OnXAxisMinSpanChange),
        QMetaMethod::fromSignal(&TiPlotComponent::OnYAxisMinChange),
        QMetaMethod::fromSignal(&TiPlotComponent::OnYAxisSpanChange),
        QMetaMethod::fromSignal(&TiPlotComponent::OnYAxisMinSpanChange),
    };
    return signals_[which];
}

} // namespace

// Tracking changes an axis with nearly every new point, so the events cost
// nothing unless someone listens; connections are noted as they are made.
// A disconnected signal keeps its mark (Qt holds its connection lock while
// it tells us, so we cannot ask again): emitting to nobody is harmless.
void TiPlotComponent::connectNotify(const QMetaMethod& signal)
{
    for (int i = 0; i < 6; ++i)
        if (signal == AxisSignal(i))
            m_axisListeners |= 1u << i;
}

bool TiPlotComponent::AxisListened(int which) const { return (m_axisListeners & (1u << which)) != 0; }

void TiPlotComponent::DoAxisMinChange(TiPlotAxis* axis, double oldValue, double newValue, bool alone, double span)
{
    if (Loading())
        return;
    const bool x = axis->IsXAxis();
    if (AxisListened(x ? 0 : 3)) {
        const int index = m_master->ManagerOf(axis->Kind()).GetIndex(axis);
        if (x)
            emit OnXAxisMinChange(index, oldValue, newValue);
        else
            emit OnYAxisMinChange(index, oldValue, newValue);
    }
    if (alone)
        DoAxisMinSpanChange(axis, oldValue, span, newValue, span);
}

void TiPlotComponent::DoAxisSpanChange(TiPlotAxis* axis, double oldValue, double newValue, bool alone, double min)
{
    if (Loading())
        return;
    const bool x = axis->IsXAxis();
    if (AxisListened(x ? 1 : 4)) {
        const int index = m_master->ManagerOf(axis->Kind()).GetIndex(axis);
        if (x)
            emit OnXAxisSpanChange(index, oldValue, newValue);
        else
            emit OnYAxisSpanChange(index, oldValue, newValue);
    }
    if (alone)
        DoAxisMinSpanChange(axis, min, oldValue, min, newValue);
}

void TiPlotComponent::DoAxisMinSpanChange(TiPlotAxis* axis, double oldMin, double oldSpan, double newMin, double newSpan)
{
    if (Loading())
        return;
    const bool x = axis->IsXAxis();
    if (!AxisListened(x ? 2 : 5))
        return;
    const int index = m_master->ManagerOf(axis->Kind()).GetIndex(axis);
    if (x)
        emit OnXAxisMinSpanChange(index, oldMin, oldSpan, newMin, newSpan);
    else
        emit OnYAxisMinSpanChange(index, oldMin, oldSpan, newMin, newSpan);
}

// ---------------------------------------------------------------- storing

QByteArray TiPlotComponent::SaveProperties() { return TiPlotStorage::Save(*this); }

void TiPlotComponent::SavePropertiesToFile(const QString& fileName)
{
    const QByteArray document = SaveProperties();
    ReplacingFile file;
    if (!file.open(QFile::encodeName(fileName).toStdString())
        || !file.write({document.constData(), std::size_t(document.size())}) || !file.commit())
        throw TiError(
            QStringLiteral("%1: cannot write the plot: %2").arg(fileName, QString::fromStdString(file.reason())));
}

void TiPlotComponent::LoadPropertiesFromFile(const QString& fileName)
{
    // A resource is compiled in: nothing there can block or run on.
    if (fileName.startsWith(QLatin1Char(':'))) {
        QFile resource(fileName);
        if (!resource.open(QIODevice::ReadOnly))
            throw TiError(QStringLiteral("%1: cannot read the plot: %2").arg(fileName, resource.errorString()));
        LoadProperties(resource.readAll(), fileName);
        return;
    }
    const RegularFile::ReadResult file =
        RegularFile::read(QFile::encodeName(fileName).toStdString(), TiPlotPropertyLimits::MaxDocumentBytes);
    if (!file.bytes)
        throw TiError(
            QStringLiteral("%1: cannot read the plot: %2").arg(fileName, QString::fromStdString(file.reason)));
    LoadProperties(QByteArray::fromStdString(*file.bytes), fileName);
}

void TiPlotComponent::LoadProperties(const QByteArray& document, const QString& name)
{
    // Everything is read into new objects first; the plot changes only
    // once the whole document has been accepted.
    TiPlotStorage::Prepared prepared = TiPlotStorage::Prepare(*this, document, name);
    BeginLoading();
    BeginDefinedProperties();
    TiPlotStorage::Apply(*this, std::move(prepared));
    Loaded();
}

void TiPlotComponent::BeginDefinedProperties()
{
    DisableLayoutManager();
    if (!m_definedBracketOpen) {
        BeginUpdate();
        m_definedBracketOpen = true;
    }
}

void TiPlotComponent::Loaded()
{
    TiCustomComponent::Loaded();
    EnableLayoutManager();
    if (m_definedBracketOpen) {
        m_definedBracketOpen = false;
        EndUpdate();
    }
}

// ---------------------------------------------------------------- properties

int TiPlotComponent::DataViewZHorz() const { return m_master->LayoutManager().DataViewHorz().ZOrder(); }

void TiPlotComponent::SetDataViewZHorz(int value) { m_master->LayoutManager().DataViewHorz().SetZOrder(value); }

int TiPlotComponent::DataViewZVert() const { return m_master->LayoutManager().DataViewVert().ZOrder(); }

void TiPlotComponent::SetDataViewZVert(int value) { m_master->LayoutManager().DataViewVert().SetZOrder(value); }

void TiPlotComponent::SetXYAxesReverse(bool value)
{
    if (value == XYAxesReverse())
        return;
    m_master->SetXYAxesReverse(value);
    InvalidateChange();
}

void TiPlotComponent::SetUserCanEditObjects(bool value)
{
    if (value == UserCanEditObjects())
        return;
    m_master->SetUserCanEditObjects(value);
    InvalidateChange();
}

TiPlotLabel* TiPlotComponent::TitleLabel() const
{
    return LabelCount() > 0 ? GetLabel(0) : nullptr;
}

bool TiPlotComponent::TitleVisible() const { return TitleLabel() && TitleLabel()->Visible(); }

void TiPlotComponent::SetTitleVisible(bool value)
{
    if (TiPlotLabel* label = TitleLabel())
        label->SetVisible(value);
}

QString TiPlotComponent::TitleText() const { return TitleLabel() ? TitleLabel()->Caption() : QString(); }

void TiPlotComponent::SetTitleText(const QString& value)
{
    if (TiPlotLabel* label = TitleLabel())
        label->SetCaption(value);
}

TiFont TiPlotComponent::TitleFont() const { return TitleLabel() ? TitleLabel()->Font() : TiFont(); }

void TiPlotComponent::SetTitleFont(const TiFont& value)
{
    if (TiPlotLabel* label = TitleLabel())
        label->SetFont(value);
}

double TiPlotComponent::TitleMargin() const { return TitleLabel() ? TitleLabel()->MarginBottom() : 0; }

void TiPlotComponent::SetTitleMargin(double value)
{
    if (TiPlotLabel* label = TitleLabel())
        label->SetMarginBottom(value);
}

// ---------------------------------------------------------------- paint

void TiPlotComponent::iPaintTo(TiCanvas& canvas)
{
    if (ToolBarCount() == 0 || LegendCount() == 0 || DataViewCount() == 0)
        return;
    if (m_gradientEnabled) {
        const TiRect whole{0, 0, width(), height()};
        switch (m_gradientDirection) {
        case ifdTopBottom:
            canvas.GradientFill(whole, m_gradientStartColor, m_gradientStopColor, true);
            break;
        case ifdBottomTop:
            canvas.GradientFill(whole, m_gradientStopColor, m_gradientStartColor, true);
            break;
        case ifdLeftRight:
            canvas.GradientFill(whole, m_gradientStartColor, m_gradientStopColor, false);
            break;
        case ifdRightLeft:
            canvas.GradientFill(whole, m_gradientStopColor, m_gradientStartColor, false);
            break;
        }
        DrawBorder(canvas);
    } else {
        DrawBackGround(canvas, BackGroundColor());
    }
    TiPlotDataView* view = GetDataView(0);
    if (!view->BackgroundTransparent() && !view->DrawRect().IsEmpty()) {
        canvas.Brush.Style = bsSolid;
        canvas.Brush.Color = view->BackgroundColor();
        canvas.FillRect(view->DrawRect());
    }
}
