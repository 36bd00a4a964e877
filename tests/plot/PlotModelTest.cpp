#include "PlotTestSupport.h"

#include <vector>

namespace {

struct Expected {
    const char* name;
    bool horizontal;
    int zOrder;
};

} // namespace

TEST(PlotModel, NewPlotHoldsTheDefaultContentWithItsZOrders)
{
    TiXYPlot plot;
    EXPECT_EQ(plot.ToolBarCount(), 1);
    EXPECT_EQ(plot.LegendCount(), 1);
    EXPECT_EQ(plot.XAxisCount(), 1);
    EXPECT_EQ(plot.YAxisCount(), 1);
    EXPECT_EQ(plot.ChannelCount(), 1);
    EXPECT_EQ(plot.DataViewCount(), 1);
    EXPECT_EQ(plot.DataCursorCount(), 1);
    EXPECT_EQ(plot.LabelCount(), 1);
    EXPECT_EQ(plot.TableCount() + plot.LimitCount() + plot.AnnotationCount(), 0);

    const std::vector<std::pair<TiPlotLayoutObject*, Expected>> layout = {
        {plot.GetToolBar(0), {"Toolbar 1", true, 3}}, {plot.GetLegend(0), {"Legend 1", false, 2}},
        {plot.GetXAxis(0), {"X-Axis 1", true, 0}},    {plot.GetYAxis(0), {"Y-Axis 1", false, 0}},
        {plot.GetLabel(0), {"Title", true, 2}},
    };
    for (const auto& [object, expected] : layout) {
        SCOPED_TRACE(expected.name);
        EXPECT_EQ(object->Name(), QString::fromLatin1(expected.name));
        EXPECT_EQ(object->Horizontal(), expected.horizontal);
        EXPECT_EQ(object->ZOrder(), expected.zOrder);
    }
    EXPECT_EQ(plot.DataViewZHorz(), 1);
    EXPECT_EQ(plot.DataViewZVert(), 1);

    TiXYPlotChannel* channel = plot.GetChannel(0);
    EXPECT_EQ(channel->Name(), "Channel 1");
    EXPECT_EQ(channel->TitleText(), "Channel 1");
    EXPECT_EQ(channel->Color(), 0x0000FF);
    EXPECT_EQ(channel->XAxisName(), "X-Axis 1");
    EXPECT_EQ(channel->YAxisName(), "Y-Axis 1");
    EXPECT_EQ(plot.GetXAxis(0)->Title(), "X-Axis 1");
    EXPECT_EQ(plot.GetYAxis(0)->Title(), "Y-Axis 1");
    EXPECT_EQ(plot.GetDataView(0)->Name(), "Data View 1");
    EXPECT_EQ(plot.GetDataView(0)->GridXAxisName(), "X-Axis 1");
    EXPECT_EQ(plot.GetDataView(0)->GridYAxisName(), "Y-Axis 1");
    EXPECT_EQ(plot.GetDataCursor(0)->Name(), "Cursor 1");
    EXPECT_EQ(plot.GetLabel(0)->Caption(), "Untitled");
    EXPECT_EQ(plot.TitleText(), "Untitled");
    EXPECT_EQ(plot.width(), 500);
    EXPECT_EQ(plot.height(), 200);
    EXPECT_EQ(plot.BorderStyle(), ibsLowered);
    EXPECT_TRUE(plot.AutoFrameRate());

    // The side lists: axes below and left, legend right, toolbar and title above.
    const auto& lm = plot.Master().LayoutManager();
    EXPECT_EQ(lm.BottomList(), std::vector<TiPlotLayoutObject*>{plot.GetXAxis(0)});
    EXPECT_EQ(lm.LeftList(), std::vector<TiPlotLayoutObject*>{plot.GetYAxis(0)});
    EXPECT_EQ(lm.RightList(), std::vector<TiPlotLayoutObject*>{plot.GetLegend(0)});
    EXPECT_EQ(lm.TopList().size(), 2u);
    EXPECT_TRUE(plot.GetToolBar(0)->ReverseSide());
    EXPECT_FALSE(plot.GetXAxis(0)->ReverseSide());
}

TEST(PlotModel, NextFreeNameCountsPastTheHighestNumberIgnoringCase)
{
    struct Case {
        std::vector<const char*> names;
        const char* next;
    };
    const Case cases[] = {
        {{"Channel 1", "Channel 7", "Channel x"}, "Channel 8"},
        {{"channel 3"}, "Channel 4"},
        {{"Channel"}, "Channel 1"},
        {{"Intfan", "Extfan"}, "Channel 1"},
        {{"CHANNEL   12"}, "Channel 13"},
    };
    for (const Case& c : cases) {
        TiXYPlot plot;
        plot.RemoveAllChannels();
        for (const char* name : c.names)
            plot.GetChannel(plot.AddChannel())->SetName(QString::fromLatin1(name));
        const int added = plot.AddChannel();
        EXPECT_EQ(plot.GetChannel(added)->Name(), QString::fromLatin1(c.next)) << c.names.front();
    }
}

TEST(PlotModel, ChannelsTakeTheLeastUsedPaletteColour)
{
    TiXYPlot plot;
    plot.RemoveAllChannels();
    plot.AddChannel();
    plot.AddChannel();
    plot.AddChannel();
    EXPECT_EQ(plot.GetChannel(0)->Color(), 0x0000FF);
    EXPECT_EQ(plot.GetChannel(1)->Color(), 0x00FFFF);
    EXPECT_EQ(plot.GetChannel(2)->Color(), 0xFF0000);

    plot.GetChannel(1)->SetColor(0x00FF00);
    plot.AddChannel();
    EXPECT_EQ(plot.GetChannel(3)->Color(), 0x00FFFF);
}

TEST(PlotModel, LookupIgnoresAsciiCaseAndMissesQuietly)
{
    TiXYPlot plot;
    plot.GetChannel(0)->SetName(QStringLiteral("Intfan"));
    plot.GetChannel(plot.AddChannel())->SetName(QStringLiteral("Extfan"));

    EXPECT_EQ(plot.GetChannelByName(QStringLiteral("INTFAN")), plot.GetChannel(0));
    EXPECT_EQ(plot.GetChannelIndexByName(QStringLiteral("extFAN")), 1);
    EXPECT_EQ(plot.GetChannelIndexByName(QStringLiteral("Fan")), -1);
    EXPECT_EQ(plot.GetChannelByName(QStringLiteral("Fan")), nullptr);
    EXPECT_EQ(plot.GetXAxisIndexByName(QStringLiteral("x-axis 1")), 0);
    // Only ASCII letters fold.
    plot.GetLegend(0)->SetName(QStringLiteral("Légende"));
    EXPECT_EQ(plot.GetLegendIndexByName(QStringLiteral("LéGENDE")), 0);
    EXPECT_EQ(plot.GetLegendIndexByName(QStringLiteral("LÉGENDE")), -1);
}

TEST(PlotModel, OutOfRangeIndicesRaiseTheListIndexError)
{
    TiXYPlot plot;
    plot.AddChannel();
    EXPECT_EQ(ErrorOf([&] { plot.GetChannel(2); }), "List index out of bounds (2)");
    EXPECT_EQ(ErrorOf([&] { plot.GetXAxis(-1); }), "List index out of bounds (-1)");
    EXPECT_EQ(ErrorOf([&] { plot.DeleteLimit(0); }), "List index out of bounds (0)");
    EXPECT_EQ(ErrorOf([&] { plot.DeleteLabel(0); }), "Label Index 0 can not be Deleted (Resevered for Title)");
    EXPECT_EQ(ErrorOf([&] { plot.Master().ObjectManager().CreateObject(); }),
              "Object Manager does not support creation of objects");
}

TEST(PlotModel, ObjectsNeedAnOwnerAndEveryHook)
{
    TiXYPlot plot;
    const TiPlotObjectHooks all = plot.Master().Hooks();
    struct Case {
        TiPlotComponent* owner;
        TiPlotObjectHooks hooks;
        const char* message;
    };
    auto without = [&](TiPlotObjectHook TiPlotObjectHooks::*hook) {
        TiPlotObjectHooks h = all;
        h.*hook = nullptr;
        return h;
    };
    TiPlotObjectHooks none;
    const Case cases[] = {
        {nullptr, none, "Owner must be assigned"},
        {&plot, none, "OnChange event handler can not be null"},
        {&plot, without(&TiPlotObjectHooks::OnInsert), "OnInsert event handler can not be null"},
        {&plot, without(&TiPlotObjectHooks::OnRemove), "OnRemove event handler can not be null"},
        {&plot, without(&TiPlotObjectHooks::OnRename), "AOnRename event handler can not be null"},
        {&plot, all, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ErrorOf([&] { TiPlotLimit limit(c.owner, c.hooks); }), QString::fromLatin1(c.message));
    EXPECT_EQ(ErrorOf([] { TiPlotMasterManager master(nullptr); }), "Owner must be Assigned");
}

TEST(PlotModel, ChangedPropertyRequestsOneRepaintAndUnchangedNone)
{
    CountingPlot plot;
    TiXYPlotChannel* channel = plot.GetChannel(0);
    plot.changes = 0;
    channel->SetLayer(100);
    EXPECT_EQ(plot.changes, 0);
    channel->SetLayer(101);
    EXPECT_EQ(plot.changes, 1);
    plot.GetXAxis(0)->SetMinorCount(1);
    EXPECT_EQ(plot.changes, 1);
    plot.GetLegend(0)->SetZOrder(5);
    EXPECT_EQ(plot.changes, 2);
    // Colour setters store without comparing.
    channel->SetColor(channel->Color());
    EXPECT_EQ(plot.changes, 3);
}

TEST(PlotModel, RuntimeXAxisOpensSlotZeroAndMovesTheBandsOut)
{
    TiXYPlot plot;
    TiPlotXAxis* first = plot.GetXAxis(0);
    TiPlotToolBar* toolBar = plot.GetToolBar(0);
    TiPlotLabel* title = plot.GetLabel(0);
    const int index = plot.AddXAxis();
    TiPlotXAxis* added = plot.GetXAxis(index);

    EXPECT_EQ(added->Name(), "X-Axis 2");
    EXPECT_TRUE(added->Horizontal());
    EXPECT_EQ(added->ZOrder(), 0);
    EXPECT_EQ(first->ZOrder(), 1);
    EXPECT_EQ(plot.DataViewZHorz(), 2);
    EXPECT_EQ(toolBar->ZOrder(), 4);
    EXPECT_EQ(title->ZOrder(), 3);
    EXPECT_EQ(plot.DataViewZVert(), 1);
    EXPECT_EQ(plot.GetYAxis(0)->ZOrder(), 0);
    // Both axes lie below the data view, the new one outermost.
    EXPECT_EQ(plot.Master().LayoutManager().BottomList(), (std::vector<TiPlotLayoutObject*>{added, first}));

    // A new vertical object pushes the Y axis out in the same way.
    const int legend = plot.AddLegend();
    plot.GetLegend(legend)->SetHorizontal(false);
    EXPECT_EQ(plot.GetYAxis(0)->ZOrder(), 1);
    EXPECT_EQ(plot.DataViewZVert(), 2);
}

TEST(PlotModel, RemovingTheOnlyObjectOfAZOrderMovesTheOuterOnesIn)
{
    TiXYPlot plot;
    plot.AddXAxis(); // X-Axis 2 at 0, X-Axis 1 at 1, data view 2, title 3, toolbar 4
    plot.DeleteXAxis(0);
    EXPECT_EQ(plot.XAxisCount(), 1);
    EXPECT_EQ(plot.GetXAxis(0)->Name(), "X-Axis 2");
    EXPECT_EQ(plot.GetXAxis(0)->ZOrder(), 0);
    EXPECT_EQ(plot.DataViewZHorz(), 1);
    EXPECT_EQ(plot.GetLabel(0)->ZOrder(), 2);
    EXPECT_EQ(plot.GetToolBar(0)->ZOrder(), 3);

    // Sharing a ZOrder: nothing moves.
    const int second = plot.AddLegend();
    const int shared = plot.GetLegend(0)->ZOrder();
    plot.GetLegend(second)->SetZOrder(shared);
    plot.DeleteLegend(second);
    EXPECT_EQ(plot.GetLegend(0)->ZOrder(), shared);
}

TEST(PlotModel, DeletingAnAxisMakesChannelsForgetItButKeepTheName)
{
    CountingPlot plot;
    TiXYPlotChannel* channel = plot.GetChannel(0);
    ASSERT_EQ(channel->GetXAxis(), plot.GetXAxis(0));
    plot.removals = 0;
    plot.DeleteXAxis(0);
    EXPECT_EQ(plot.removals, 1);
    EXPECT_EQ(channel->GetXAxis(), nullptr);
    EXPECT_EQ(channel->XAxisName(), "X-Axis 1");
    channel->DrawSetup();
    EXPECT_FALSE(channel->DrawReady());

    // A new axis of that name is found again.
    plot.GetXAxis(plot.AddXAxis())->SetName(QStringLiteral("x-axis 1"));
    EXPECT_EQ(channel->GetXAxis(), plot.GetXAxis(0));
    channel->AddXY(1, 1);
    channel->DrawSetup();
    EXPECT_TRUE(channel->DrawReady());

    // A rename of the cached axis follows into the channel and the grid.
    plot.GetDataView(0)->XAxisNeeded();
    plot.GetXAxis(0)->SetName(QStringLiteral("Temperature"));
    EXPECT_EQ(channel->XAxisName(), "Temperature");
}

TEST(PlotModel, XYAxesReverseTurnsTheAxesAndTellsEveryObject)
{
    TiXYPlot plot;
    plot.SetXYAxesReverse(true);
    EXPECT_FALSE(plot.GetXAxis(0)->Horizontal());
    EXPECT_TRUE(plot.GetYAxis(0)->Horizontal());
    EXPECT_TRUE(plot.GetChannel(0)->XYAxesReversed());
    // Each axis ends in slot 0 of its new orientation; the stacks close up
    // behind them.
    EXPECT_EQ(plot.GetXAxis(0)->ZOrder(), 0);
    EXPECT_EQ(plot.GetYAxis(0)->ZOrder(), 0);
    EXPECT_EQ(plot.Master().LayoutManager().LeftList(), std::vector<TiPlotLayoutObject*>{plot.GetXAxis(0)});
    // Objects added later get the flag too.
    EXPECT_TRUE(plot.GetLimit(plot.AddLimit())->XYAxesReversed());
    EXPECT_FALSE(plot.GetXAxis(plot.AddXAxis())->Horizontal());
}

TEST(PlotModel, RemoveAllKeepsTheTitleLabelAndClearAllDataEmptiesChannels)
{
    TiXYPlot plot;
    plot.AddLabel();
    plot.AddLabel();
    plot.RemoveAllLabels();
    EXPECT_EQ(plot.LabelCount(), 1);
    EXPECT_EQ(plot.GetLabel(0)->Name(), "Title");

    plot.GetChannel(0)->AddXY(200, 3);
    plot.GetChannel(plot.AddChannel())->AddXY(1, 1);
    ASSERT_TRUE(plot.GetXAxis(0)->FirstAligned());
    plot.ClearAllData();
    EXPECT_EQ(plot.GetChannel(0)->GetCount() + plot.GetChannel(1)->GetCount(), 0);
    EXPECT_FALSE(plot.GetXAxis(0)->FirstAligned());

    plot.RemoveAllXAxes();
    EXPECT_EQ(plot.XAxisCount(), 0);
    EXPECT_EQ(plot.GetChannel(0)->GetXAxis(), nullptr);
}

TEST(PlotModel, TitlePropertiesReachLabelZero)
{
    TiXYPlot plot;
    plot.SetTitleText(QStringLiteral("Fans"));
    plot.SetTitleVisible(false);
    EXPECT_EQ(plot.GetLabel(0)->Caption(), "Fans");
    EXPECT_FALSE(plot.GetLabel(0)->Visible());
    plot.GetLabel(0)->SetMarginBottom(0.5);
    EXPECT_EQ(plot.TitleMargin(), 0.5);
}

TEST(PlotModel, AxisRangeChangesRaiseTheWidgetEvents)
{
    TiXYPlot plot;
    std::vector<QString> events;
    QObject::connect(&plot, &TiPlotComponent::OnXAxisMinChange,
                     [&](int i, double o, double n) { events.push_back(QStringLiteral("min %1 %2 %3").arg(i).arg(o).arg(n)); });
    QObject::connect(&plot, &TiPlotComponent::OnXAxisSpanChange,
                     [&](int i, double o, double n) { events.push_back(QStringLiteral("span %1 %2 %3").arg(i).arg(o).arg(n)); });
    QObject::connect(&plot, &TiPlotComponent::OnXAxisMinSpanChange, [&](int i, double om, double os, double nm, double ns) {
        events.push_back(QStringLiteral("minspan %1 %2 %3 %4 %5").arg(i).arg(om).arg(os).arg(nm).arg(ns));
    });
    TiPlotXAxis* axis = plot.GetXAxis(0);
    axis->SetMin(-45);
    axis->SetMinSpan(-45, 125);
    axis->SetMinSpan(-45, 125);
    const std::vector<QString> expected = {
        "min 0 0 -45", "minspan 0 0 100 -45 100", "span 0 100 125", "minspan 0 -45 100 -45 125",
    };
    EXPECT_EQ(events, expected);
}

TEST(PlotModel, XYAxesReverseTakesTheAxesInTextOrderOfTheirZOrders)
{
    TiXYPlot plot;
    plot.RemoveAllYAxes();
    TiPlotXAxis* first = plot.GetXAxis(0);
    TiPlotXAxis* second = plot.GetXAxis(plot.AddXAxis());
    first->SetZOrder(10);
    second->SetZOrder(2);
    // "10" sorts before "2": the first axis moves over first and is then
    // pushed out by the second.
    plot.SetXYAxesReverse(true);
    EXPECT_EQ(second->ZOrder(), 0);
    EXPECT_EQ(first->ZOrder(), 1);
    EXPECT_EQ(plot.DataViewZVert(), 2);
    EXPECT_EQ(plot.GetLegend(0)->ZOrder(), 3);
    EXPECT_EQ(plot.DataViewZHorz(), 2);
}

TEST(PlotModel, AxisEventsFollowConnectionsAndStaySilentWhileLoading)
{
    TiXYPlot plot;
    int events = 0;
    const auto connection = QObject::connect(&plot, &TiPlotComponent::OnYAxisSpanChange, [&] { ++events; });
    plot.GetYAxis(0)->SetSpan(10);
    EXPECT_EQ(events, 1);
    plot.BeginLoading();
    plot.GetYAxis(0)->SetSpan(20);
    plot.Loaded();
    EXPECT_EQ(events, 1);
    QObject::disconnect(connection);
    plot.GetYAxis(0)->SetSpan(30);
    EXPECT_EQ(events, 1);

    // A new point moved by tracking raises them too.
    std::vector<double> spans;
    QObject::connect(&plot, &TiPlotComponent::OnXAxisMinSpanChange,
                     [&](int, double, double, double, double span) { spans.push_back(span); });
    TiPlotXAxis* x = plot.GetXAxis(0);
    const double farOut = x->Min() + 10 * x->Span();
    plot.GetChannel(0)->AddXY(farOut, 0);
    ASSERT_FALSE(spans.empty());
    EXPECT_EQ(spans.back(), x->Span());
    EXPECT_GE(x->Min() + x->Span(), farOut);
}
