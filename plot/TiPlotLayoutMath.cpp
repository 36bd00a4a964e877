#include "plot/TiPlotLayoutMath.h"

#include "plot/TiPlotScaleMap.h"

#include <algorithm>
#include <climits>

namespace TiPlotLayoutMath {

namespace {

bool isCartesianAxis(const TiPlotLayoutItem& it) { return it.Kind == TiPlotLayoutKind::Axis && it.Cartesian != ipcsNone; }

// Sorted by key; equal keys keep the order in which they were inserted
// before one another (a new entry goes first).
std::vector<int> sortedSide(const std::vector<TiPlotLayoutItem>& items, const std::vector<int>& members)
{
    // A later member goes before earlier ones with an equal key: taken last
    // to first into a stable sort.
    std::vector<std::pair<QString, int>> keyed;
    keyed.reserve(members.size());
    for (auto it = members.rbegin(); it != members.rend(); ++it)
        keyed.emplace_back(sideKey(items[*it].ZOrder, items[*it].StartPercent), *it);
    std::stable_sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<int> out;
    for (auto& e : keyed)
        out.push_back(e.second);
    return out;
}

void updateStacking(const std::vector<TiPlotLayoutItem>& items, const std::vector<int>& list,
                    std::vector<TiPlotLayoutPlace>& places)
{
    for (int i : list)
        places[i].StartStacked = places[i].StopStacked = false;
    int previous = -1;
    int lastZ = INT_MIN;
    for (int i : list) {
        if (isCartesianAxis(items[i]))
            continue;
        if (items[i].ForceStacking) {
            places[i].StartStacked = places[i].StopStacked = true;
        } else if (items[i].ZOrder == lastZ && previous >= 0) {
            places[previous].StopStacked = true;
            places[i].StartStacked = true;
        } else {
            lastZ = items[i].ZOrder;
        }
        previous = i;
    }
}

int zOrderMaxWidth(const std::vector<TiPlotLayoutItem>& items, const std::vector<int>& list, int z)
{
    int w = 0;
    for (int i : list)
        if (items[i].ZOrder == z && !isCartesianAxis(items[i]))
            w = std::max(w, items[i].RequiredWidth);
    return w;
}

int totalRequiredWidth(const std::vector<TiPlotLayoutItem>& items, const std::vector<int>& list)
{
    int total = 0;
    int lastZ = INT_MIN;
    for (int i : list) {
        if (items[i].ZOrder != lastZ) {
            total += zOrderMaxWidth(items, list, items[i].ZOrder);
            lastZ = items[i].ZOrder;
        }
    }
    return total;
}

int maxGuard(const std::vector<TiPlotLayoutItem>& items, const std::vector<int>& list,
             const std::vector<TiPlotLayoutPlace>& places, bool atStart)
{
    int g = 0;
    for (int i : list) {
        if (isCartesianAxis(items[i]))
            continue;
        if (atStart ? places[i].StartStacked : places[i].StopStacked)
            continue;
        g = std::max(g, items[i].LengthGuard);
    }
    return g;
}

TiPlotScaleMap mapOf(const TiPlotLayoutItem& axis, const TiRect& scale)
{
    if (axis.Horizontal)
        return TiPlotScaleMap::horizontal(axis.Min, axis.Span, scale.Left, scale.Right, axis.ReverseScale, axis.ScaleType);
    return TiPlotScaleMap::vertical(axis.Min, axis.Span, scale.Bottom, scale.Top, axis.ReverseScale, axis.ScaleType);
}

} // namespace

QString sideKey(int zOrder, double startPercent)
{
    return QString::number(zOrder).rightJustified(3, QLatin1Char('0'))
        + QString::number(tiRound(std::clamp(startPercent, -1e6, 1e6))).rightJustified(3, QLatin1Char('0'));
}

void scaleRect(const TiPlotLayoutItem& axis, const TiRect& r, bool startStacked, bool stopStacked, TiRect& scale,
               TiRect& labels)
{
    const bool cartesian = axis.Cartesian != ipcsNone;
    if (!axis.Horizontal) {
        const int c = cartesian ? 0 : (axis.Along + tiRound(axis.HeightOf0 * axis.StackingEndsMargin)) / 2;
        scale.Left = r.Left;
        scale.Right = r.Right;
        scale.Bottom = startStacked ? r.Bottom - c : r.Bottom;
        scale.Top = stopStacked ? r.Top + c : r.Top;
        labels = TiRect {r.Left + 2, scale.Top - c, r.Right - 2, scale.Bottom + c};
    } else {
        const int along = axis.LabelsVisible ? axis.Along : 0;
        const int c = cartesian ? 0 : tiRound(along / 2.0) + tiRound(axis.WidthOf0 * axis.StackingEndsMargin);
        scale.Top = r.Top;
        scale.Bottom = r.Bottom;
        scale.Left = startStacked ? r.Left + c : r.Left;
        scale.Right = stopStacked ? r.Right - c : r.Right;
        labels = TiRect {scale.Left - c, r.Top + 2, scale.Right + c, r.Bottom - 2};
    }
}

TiPlotLayoutResult layout(const TiPlotLayoutWidget& w, const std::vector<TiPlotLayoutItem>& items,
                          const std::vector<TiPlotLayoutPlace>& previous)
{
    TiPlotLayoutResult res;
    res.Places = previous;
    res.Places.resize(items.size());

    // Side lists and, of them, the visible lists.
    std::vector<int> left, right, top, bottom;
    for (int i = 0; i < int(items.size()); ++i) {
        const TiPlotLayoutItem& it = items[i];
        TiPlotLayoutPlace& p = res.Places[i];
        if (it.Horizontal) {
            p.ReverseSide = it.ZOrder > w.DataViewZHorz;
            p.Side = p.ReverseSide ? TiPlotSide::Top : TiPlotSide::Bottom;
            (p.ReverseSide ? top : bottom).push_back(i);
        } else {
            p.ReverseSide = it.ZOrder > w.DataViewZVert;
            p.Side = p.ReverseSide ? TiPlotSide::Right : TiPlotSide::Left;
            (p.ReverseSide ? right : left).push_back(i);
        }
    }
    res.Left = sortedSide(items, left);
    res.Right = sortedSide(items, right);
    res.Top = sortedSide(items, top);
    res.Bottom = sortedSide(items, bottom);
    auto visibleOf = [&](const std::vector<int>& list) {
        std::vector<int> v;
        for (int i : list)
            if (items[i].Visible)
                v.push_back(i);
        return v;
    };
    const std::vector<int> vl = visibleOf(res.Left), vr = visibleOf(res.Right), vt = visibleOf(res.Top),
                           vb = visibleOf(res.Bottom);

    const int b = w.Border ? 2 : 0;
    for (const auto* list : {&vl, &vr, &vt, &vb})
        updateStacking(items, *list, res.Places);

    const int hStart = std::max({0, maxGuard(items, vt, res.Places, true), maxGuard(items, vb, res.Places, true)});
    const int hStop = std::max({0, maxGuard(items, vt, res.Places, false), maxGuard(items, vb, res.Places, false)});
    const int vStart = std::max({0, maxGuard(items, vl, res.Places, true), maxGuard(items, vr, res.Places, true)});
    const int vStop = std::max({0, maxGuard(items, vl, res.Places, false), maxGuard(items, vr, res.Places, false)});

    const int tLeft = std::max(totalRequiredWidth(items, vl), hStart);
    const int tRight = std::max(totalRequiredWidth(items, vr), hStop);
    const int tTop = std::max(totalRequiredWidth(items, vt), vStop);
    const int tBottom = std::max(totalRequiredWidth(items, vb), vStart);

    const bool loneToolBar = vt.size() == 1 && items[vt.front()].Kind == TiPlotLayoutKind::ToolBar;
    const int edgeTop = tTop + b + w.OuterMarginTop + (loneToolBar ? vStop : 0);
    const int edgeBottom = tBottom + b + w.OuterMarginBottom;
    const int edgeLeft = tLeft + b + w.OuterMarginLeft;
    const int edgeRight = tRight + b + w.OuterMarginRight;
    const TiRect dv {edgeLeft, edgeTop, w.Width - edgeRight - 1, w.Height - edgeBottom - 1};
    res.BandDataView = dv;
    const int dvWidth = dv.Right - dv.Left;
    const int dvHeight = dv.Bottom - dv.Top;

    // Bands across each side; the band nearest the data view first.
    {
        int e = dv.Left, thick = 0, lastZ = -1;
        for (auto it = vl.rbegin(); it != vl.rend(); ++it) {
            if (items[*it].ZOrder != lastZ) {
                e -= thick;
                thick = zOrderMaxWidth(items, vl, items[*it].ZOrder);
                lastZ = items[*it].ZOrder;
            }
            res.Places[*it].DrawRect.Left = e - thick;
            res.Places[*it].DrawRect.Right = e;
        }
    }
    {
        int e = dv.Right, thick = 0, lastZ = -1;
        for (int i : vr) {
            if (items[i].ZOrder != lastZ) {
                e += thick;
                thick = zOrderMaxWidth(items, vr, items[i].ZOrder);
                lastZ = items[i].ZOrder;
            }
            res.Places[i].DrawRect.Left = e;
            res.Places[i].DrawRect.Right = e + thick;
        }
    }
    {
        int e = loneToolBar ? dv.Top - vStop : dv.Top, thick = 0, lastZ = -1;
        for (int i : vt) {
            if (items[i].ZOrder != lastZ) {
                e -= thick;
                thick = zOrderMaxWidth(items, vt, items[i].ZOrder);
                lastZ = items[i].ZOrder;
            }
            TiRect& r = res.Places[i].DrawRect;
            r.Top = e - thick;
            r.Bottom = e;
            if (items[i].Kind == TiPlotLayoutKind::ToolBar) {
                r.Top = b;
                r.Bottom = b + items[i].RequiredWidth;
            }
        }
    }
    {
        int e = dv.Bottom, thick = 0, lastZ = -1;
        for (auto it = vb.rbegin(); it != vb.rend(); ++it) {
            if (items[*it].ZOrder != lastZ) {
                e += thick;
                thick = zOrderMaxWidth(items, vb, items[*it].ZOrder);
                lastZ = items[*it].ZOrder;
            }
            res.Places[*it].DrawRect.Top = e;
            res.Places[*it].DrawRect.Bottom = e + thick;
        }
    }

    // Positions along each side, visible or not.
    for (int i = 0; i < int(items.size()); ++i) {
        const TiPlotLayoutItem& it = items[i];
        TiRect& r = res.Places[i].DrawRect;
        const double start = it.StartPercent / 100, stop = it.StopPercent / 100;
        if (it.Horizontal) {
            if (it.Kind == TiPlotLayoutKind::ToolBar) {
                r.Left = tiRound(start * (w.Width - 2 * b)) + b;
                r.Right = tiRound(stop * (w.Width - 2 * b)) + b - 1;
            } else if (it.Kind == TiPlotLayoutKind::Label) {
                const int width = w.Width - b - w.OuterMarginLeft - w.OuterMarginRight;
                r.Left = tiRound(start * width) + b + w.OuterMarginLeft;
                r.Right = tiRound(stop * width) + b + w.OuterMarginLeft;
            } else if (it.Kind != TiPlotLayoutKind::Other) {
                r.Left = dv.Left + tiRound(dvWidth * start);
                r.Right = dv.Left + tiRound(dvWidth * stop);
            }
        } else if (it.Kind != TiPlotLayoutKind::ToolBar && it.Kind != TiPlotLayoutKind::Other) {
            r.Top = dv.Bottom - tiRound(dvHeight * stop);
            r.Bottom = dv.Bottom - tiRound(dvHeight * start);
        }
    }

    auto calcScale = [&](int i) {
        TiPlotLayoutPlace& p = res.Places[i];
        scaleRect(items[i], p.DrawRect, p.StartStacked, p.StopStacked, p.ScaleRect, p.LabelRect);
    };

    // Cartesian axes run through the data view.
    for (int i = 0; i < int(items.size()); ++i) {
        const TiPlotLayoutItem& it = items[i];
        if (it.Kind != TiPlotLayoutKind::Axis || it.Cartesian == ipcsNone)
            continue;
        TiRect& r = res.Places[i].DrawRect;
        if (it.Cartesian == ipcsMaster) {
            if (it.Horizontal)
                r = TiRect {dv.Left, (dv.Top + dv.Bottom) / 2, dv.Right, (dv.Top + dv.Bottom) / 2};
            else
                r = TiRect {(dv.Left + dv.Right) / 2, dv.Top, (dv.Left + dv.Right) / 2, dv.Bottom};
            continue;
        }
        const int ref = it.CartesianRefItem;
        if (ref < 0 || ref >= int(items.size()) || items[ref].Kind != TiPlotLayoutKind::Axis
            || items[ref].Horizontal == it.Horizontal) {
            r = TiRect {};
            continue;
        }
        calcScale(ref);
        const int pixel = mapOf(items[ref], res.Places[ref].ScaleRect).PositionToPixels(it.CartesianRefValue);
        r = it.Horizontal ? TiRect {dv.Left, pixel, dv.Right, pixel} : TiRect {pixel, dv.Top, pixel, dv.Bottom};
    }

    // Aligned axes copy their reference's extent along the side and stacking.
    for (int i = 0; i < int(items.size()); ++i) {
        const int ref = items[i].AlignRefItem;
        if (items[i].Kind != TiPlotLayoutKind::Axis || ref < 0 || ref >= int(items.size()) || ref == i
            || items[ref].Horizontal != items[i].Horizontal)
            continue;
        TiPlotLayoutPlace& p = res.Places[i];
        const TiPlotLayoutPlace& q = res.Places[ref];
        if (items[i].Horizontal) {
            p.DrawRect.Left = q.DrawRect.Left;
            p.DrawRect.Right = q.DrawRect.Right;
        } else {
            p.DrawRect.Top = q.DrawRect.Top;
            p.DrawRect.Bottom = q.DrawRect.Bottom;
        }
        p.StartStacked = q.StartStacked;
        p.StopStacked = q.StopStacked;
        calcScale(i);
    }

    // The data view spans exactly the union of the visible axes' scales.
    TiRect final {w.Width, w.Height, 0, 0};
    for (int i = 0; i < int(items.size()); ++i) {
        if (items[i].Kind != TiPlotLayoutKind::Axis)
            continue;
        calcScale(i);
        if (!items[i].Visible)
            continue;
        const TiRect& s = res.Places[i].ScaleRect;
        if (items[i].Horizontal) {
            final.Left = std::min(final.Left, s.Left);
            final.Right = std::max(final.Right, s.Right);
        } else {
            final.Top = std::min(final.Top, s.Top);
            final.Bottom = std::max(final.Bottom, s.Bottom);
        }
    }
    res.DataView = final;
    return res;
}

TiRect layerClipRect(const TiRect& dv) { return TiRect {dv.Left, dv.Top, dv.Right + 1, dv.Bottom + 1}; }

} // namespace TiPlotLayoutMath

QString TiPlotLayerList::key(int layer, QChar letter)
{
    return QString::number(std::clamp(layer, 0, 999999)).rightJustified(6, QLatin1Char('0')) + letter;
}

void TiPlotLayerList::add(const QString& key, int object)
{
    auto at = std::lower_bound(m_entries.begin(), m_entries.end(), key,
                               [](const std::pair<QString, int>& e, const QString& k) { return e.first < k; });
    m_entries.insert(at, {key, object});
}

std::vector<int> TiPlotLayerList::order() const
{
    std::vector<int> out;
    for (const auto& e : m_entries)
        out.push_back(e.second);
    return out;
}
