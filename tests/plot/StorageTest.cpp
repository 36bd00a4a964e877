#include "PlotTestSupport.h"
#include "plot/TiPlotPropertyLimits.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMetaProperty>
#include <QTemporaryDir>
#include <algorithm>
#include <map>

namespace {

QByteArray TwoChannels()
{
    return R"({
    "ChannelManager": [
        {"Name": "Intfan", "TitleText": "Intfan", "XAxisName": "X-Axis 1", "YAxisName": "Y-Axis 1"},
        {"Name": "Extfan", "TitleText": "Extfan", "Layer": 101, "XAxisName": "X-Axis 1", "YAxisName": "Y-Axis 1"}
    ]
})";
}

} // namespace

TEST(PlotStorage, StoredChannelsReplaceTheDefaultOneInStoredOrderWithoutPaletteColours)
{
    CountingPlot plot;
    plot.LoadProperties(TwoChannels(), QStringLiteral("two.json"));
    ASSERT_EQ(plot.ChannelCount(), 2);
    EXPECT_EQ(plot.GetChannel(0)->Name(), "Intfan");
    EXPECT_EQ(plot.GetChannel(1)->Name(), "Extfan");
    EXPECT_EQ(plot.GetChannel(1)->Layer(), 101);
    // The constructor's colour, not the palette's second.
    EXPECT_EQ(plot.GetChannel(0)->Color(), 0x0000FF);
    EXPECT_EQ(plot.GetChannel(1)->Color(), 0x0000FF);
    EXPECT_EQ(plot.GetChannel(1)->GetXAxis(), plot.GetXAxis(0));
    // Other managers keep what they had.
    EXPECT_EQ(plot.GetXAxis(0)->Name(), "X-Axis 1");
    EXPECT_EQ(plot.LegendCount(), 1);
}

TEST(PlotStorage, LoadingIsOneBracketWithStoredZOrdersAndOneRepaint)
{
    CountingPlot plot;
    PlotFakeClock clock;
    plot.SetClock(clock);
    plot.show();
    FlushPaints();
    plot.paints = 0;
    clock.now += 1000;
    // Toolbar and title share a band in the document: the toolbar moves out.
    plot.LoadProperties(R"({
        "ToolBarManager": [{"Name": "Toolbar 1", "ZOrder": 2}],
        "XAxisManager": [{"Name": "X-Axis 1", "ZOrder": 7}, {"Name": "X-Axis 2", "ZOrder": 7}],
        "LabelManager": [{"Name": "Title", "Horizontal": true, "ZOrder": 2}]
    })",
                        QStringLiteral("doc"));
    FlushPaints();
    EXPECT_EQ(plot.paints, 1);
    EXPECT_EQ(plot.GetXAxis(0)->ZOrder(), 7);
    EXPECT_EQ(plot.GetXAxis(1)->ZOrder(), 7);
    EXPECT_EQ(plot.GetToolBar(0)->ZOrder(), 3);
    EXPECT_TRUE(plot.Master().LayoutManager().Enabled());
    EXPECT_FALSE(plot.Loading());
    EXPECT_FALSE(plot.Updating());
}

TEST(PlotStorage, TheConsolePlotRestoresFromItsResource)
{
    TiXYPlot plot;
    plot.LoadPropertiesFromFile(QString::fromLatin1(TiXYPlot::ConsolePlotResource));

    EXPECT_EQ(plot.BackGroundColor(), clSilver);
    EXPECT_FALSE(plot.UserCanEditObjects());
    EXPECT_TRUE(plot.UserCanAddRemoveChannels());
    EXPECT_EQ(plot.OuterMarginLeft(), 2);
    EXPECT_EQ(plot.OuterMarginTop(), 3);
    EXPECT_EQ(plot.OuterMarginRight(), 5);
    EXPECT_EQ(plot.OuterMarginBottom(), 2);
    EXPECT_FALSE(plot.TitleVisible());
    EXPECT_EQ(plot.EditorFormStyle(), ipfsModal);
    EXPECT_EQ(plot.CopyToClipBoardFormat(), ipefMetaFile);
    EXPECT_EQ(plot.DataViewZHorz(), 1);
    EXPECT_EQ(plot.DataViewZVert(), 1);

    ASSERT_EQ(plot.ToolBarCount(), 1);
    EXPECT_FALSE(plot.GetToolBar(0)->Visible());
    EXPECT_EQ(plot.GetToolBar(0)->ZOrder(), 3);
    ASSERT_EQ(plot.LegendCount(), 1);
    EXPECT_EQ(plot.GetLegend(0)->Name(), "Legend 1");
    EXPECT_FALSE(plot.GetLegend(0)->Horizontal());
    EXPECT_EQ(plot.GetLegend(0)->ZOrder(), 2);
    EXPECT_EQ(plot.GetLegend(0)->Font(), TiFont(QStringLiteral("MS Sans Serif"), -11, clWhite));
    EXPECT_EQ(plot.GetLegend(0)->ColumnTitlesFont(), TiFont(QStringLiteral("MS Sans Serif"), -11, clAqua, fsBold));

    ASSERT_EQ(plot.XAxisCount(), 1);
    TiPlotXAxis* x = plot.GetXAxis(0);
    EXPECT_EQ(x->Name(), "X-Axis 1");
    EXPECT_EQ(x->Min(), -45);
    EXPECT_EQ(x->GetMax(), 80);
    EXPECT_EQ(x->Title(), "Temperature");
    EXPECT_TRUE(x->TitleShow());
    EXPECT_EQ(x->MinorCount(), 3);
    EXPECT_EQ(x->TrackingStyle(), iptsScaleMinMax);
    EXPECT_EQ(x->TrackingAlignFirstStyle(), ipafsAuto);
    EXPECT_EQ(x->TitleFont(), TiFont(QStringLiteral("Arial"), -13, clWhite, fsBold));
    EXPECT_EQ(x->LabelsFont().Color, clWhite);
    EXPECT_EQ(x->TitleMargin(), 0);
    EXPECT_EQ(x->InnerMargin(), 3);
    EXPECT_TRUE(x->MasterUIInput());
    ASSERT_EQ(plot.YAxisCount(), 1);
    TiPlotYAxis* y = plot.GetYAxis(0);
    EXPECT_EQ(y->Title(), "FanRPM");
    EXPECT_EQ(y->Min(), 0);
    EXPECT_EQ(y->Span(), 5500);
    EXPECT_EQ(y->LabelsFont().Height, -8);
    EXPECT_EQ(y->LabelSeparation(), 0);
    EXPECT_EQ(y->TrackingAlignFirstStyle(), ipafsNone);

    ASSERT_EQ(plot.ChannelCount(), 2);
    const struct {
        const char* name;
        int layer;
        TColor color;
    } channels[] = {{"Intfan", 100, 0x0000FF}, {"Extfan", 101, clYellow}};
    for (int i = 0; i < 2; ++i) {
        TiXYPlotChannel* channel = plot.GetChannel(i);
        EXPECT_EQ(channel->Name(), QString::fromLatin1(channels[i].name));
        EXPECT_EQ(channel->TitleText(), QString::fromLatin1(channels[i].name));
        EXPECT_EQ(channel->Layer(), channels[i].layer);
        EXPECT_EQ(channel->Color(), channels[i].color);
        EXPECT_EQ(channel->TraceLineWidth(), 2);
        EXPECT_EQ(channel->DataStyle(), ipdsStandard);
        EXPECT_EQ(channel->GetXAxis(), x);
        EXPECT_EQ(channel->GetYAxis(), y);
    }
    EXPECT_EQ(ErrorOf([&] { plot.GetChannel(2); }), "List index out of bounds (2)");

    ASSERT_EQ(plot.DataViewCount(), 1);
    EXPECT_EQ(plot.GetDataView(0)->XAxisNeeded(), x);
    EXPECT_EQ(plot.GetDataView(0)->YAxisNeeded(), y);
    EXPECT_TRUE(plot.GetDataView(0)->GridLineShowXMinors());
    EXPECT_TRUE(plot.GetDataView(0)->GridLineShowYMinors());
    EXPECT_TRUE(plot.GetDataView(0)->BackgroundTransparent());
    ASSERT_EQ(plot.DataCursorCount(), 1);
    EXPECT_FALSE(plot.GetDataCursor(0)->Visible());
    ASSERT_EQ(plot.LabelCount(), 1);
    EXPECT_EQ(plot.GetLabel(0)->Name(), "Title");
    EXPECT_EQ(plot.GetLabel(0)->Caption(), "Untitled");
    EXPECT_EQ(plot.GetLabel(0)->ZOrder(), 2);
    EXPECT_TRUE(plot.GetLabel(0)->Horizontal());

    // Nothing stored is lost: saving gives the resource back.
    QFile resource(QString::fromLatin1(TiXYPlot::ConsolePlotResource));
    ASSERT_TRUE(resource.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(plot.SaveProperties()), QString::fromUtf8(resource.readAll()));

    // The console's cycle: the channels take points and tracking grows the axes.
    plot.GetChannel(0)->Clear();
    plot.GetChannel(0)->AddXY(10, 6000);
    EXPECT_EQ(y->Span(), 6000);
    EXPECT_EQ(x->Min(), -45);
}

TEST(PlotStorage, SaveLoadSaveGivesTheSameDocument)
{
    TiXYPlot plot;
    plot.SetBackGroundColor(clSilver);
    plot.SetOuterMarginTop(9);
    plot.SetBackGroundGradientDirection(ifdRightLeft);
    plot.SetPrintOrientation(TiPlotComponent::poPortrait);
    plot.AddTable();
    plot.AddLimit();
    plot.AddAnnotation();
    plot.AddToolBar();
    plot.GetLegend(plot.AddLegend())->SetSelectedItemFont(TiFont(QStringLiteral("Arial"), -20, clRed, fsItalic));
    plot.GetDataCursor(plot.AddDataCursor())->SetChannelName(QStringLiteral("Channel 1"));
    plot.GetDataView(plot.AddDataView())->SetGridLineXMajorStyle(ipglsDot);
    plot.GetLabel(plot.AddLabel())->SetAlignment(iahRight);
    TiPlotYAxis* y = plot.GetYAxis(plot.AddYAxis());
    y->SetMinSpan(-1.5e-7, 3.25);
    y->SetLabelsPrecisionStyle(ipsFixedDecimalPoints);
    y->SetTrackingStyle(iptsScrollPage);
    TiXYPlotChannel* channel = plot.GetChannel(plot.AddChannel());
    channel->SetMarkersStyle(ipmsCharacter);
    channel->SetDataStyle(ipdsFullFeature);
    channel->SetRingBufferSize(50);
    channel->SetTag(QStringLiteral("note"));
    channel->SetTitleText(QStringLiteral("Ünïcode \"quoted\""));
    plot.AddTranslation(QStringLiteral("Edit..."), QStringLiteral("Bearbeiten..."));

    const QByteArray first = plot.SaveProperties();
    TiXYPlot restored;
    restored.LoadProperties(first, QStringLiteral("first"));
    const QByteArray second = restored.SaveProperties();
    EXPECT_EQ(QString::fromUtf8(second), QString::fromUtf8(first));
    EXPECT_EQ(restored.ChannelCount(), 2);
    EXPECT_EQ(restored.GetChannel(1)->RingBufferSize(), 50);
    EXPECT_EQ(restored.GetYAxis(1)->Min(), -1.5e-7);
    EXPECT_EQ(restored.TranslationCount(), 1);

    // And through a file.
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("plot.json"));
    restored.SavePropertiesToFile(file);
    TiXYPlot fromFile;
    fromFile.LoadPropertiesFromFile(file);
    EXPECT_EQ(QString::fromUtf8(fromFile.SaveProperties()), QString::fromUtf8(first));
}

TEST(PlotStorage, BadDocumentsAreRefusedByNameAndKeepThePlotAsItWas)
{
    QTemporaryDir dir;
    struct Case {
        const char* what;
        QByteArray document;
        const char* message; // after "<file>: "
    };
    const Case cases[] = {
        {"syntax", "{\n  \"DataViewZHorz\": 1,\n  \"ChannelManager\": [ {\"Name\": } ]\n}", "line 3: object is missing after a comma"},
        {"not an object", "[1, 2]", "(document): expected an object"},
        {"unknown manager", R"({"GaugeManager": []})", "GaugeManager: unknown manager or property"},
        {"manager not an array", R"({"ChannelManager": {}})", "ChannelManager: expected an array of objects"},
        {"unknown property", R"({"ChannelManager": [{"Name": "A"}, {"Colour": 5}]})",
         "ChannelManager[1].Colour: unknown property"},
        {"wrong type", R"({"ChannelManager": [{"Name": "A", "Layer": "high"}]})",
         "ChannelManager[0].Layer: expected an integer"},
        {"fraction for integer", R"({"LegendManager": [{"ZOrder": 1.5}]})", "LegendManager[0].ZOrder: expected an integer"},
        {"unknown enumeration", R"({"ChannelManager": [{"Name": "A"}], "XAxisManager": [{"TrackingStyle": "iptsFast"}]})",
         "XAxisManager[0].TrackingStyle: unknown TiPlotTrackingStyle value \"iptsFast\""},
        {"enumeration as number", R"({"ChannelManager": [{"DataStyle": 1}]})",
         "ChannelManager[0].DataStyle: expected an enumeration name"},
        {"bad font", R"({"LabelManager": [{"Font": {"Name": "Arial", "Size": 9}}]})",
         "LabelManager[0].Font.Size: unknown font property"},
        {"unknown widget property", R"({"Properties": {"Colour": 1}})", "Properties.Colour: unknown property"},
        {"widget property type", R"({"Properties": {"BorderStyle": "ibsDeep"}})",
         "Properties.BorderStyle: unknown TiBevelStyle value \"ibsDeep\""},
        {"zorder type", R"({"DataViewZVert": true})", "DataViewZVert: expected an integer"},
        {"translation", R"({"TranslationManager": [{"Text": "a", "Replacement": 2}]})",
         "TranslationManager[0].Replacement: expected a string"},
        {"minor count", R"({"XAxisManager": [{"MinorCount": 2147483647}]})",
         "XAxisManager[0].MinorCount: 2147483647 is out of range 0 .. 1000"},
        {"font height", R"({"LabelManager": [{"Font": {"Height": -2147483648}}]})",
         "LabelManager[0].Font.Height: -2147483648 is out of range -500 .. 500"},
        {"widget margin", R"({"Properties": {"OuterMarginLeft": 2147483647}})",
         "Properties.OuterMarginLeft: 2147483647 is out of range -1000 .. 1000"},
        {"legend margin", R"({"LegendManager": [{"MarginLeft": -1e308}]})",
         "LegendManager[0].MarginLeft: -1e+308 is out of range -10 .. 10"},
        {"percent", R"({"ToolBarManager": [{"StartPercent": 100.5}]})",
         "ToolBarManager[0].StartPercent: 100.5 is out of range 0 .. 100"},
        {"data view zorder", R"({"DataViewZHorz": 5000})", "DataViewZHorz: 5000 is out of range 0 .. 999"},
        {"oversized", QByteArray(TiPlotPropertyLimits::MaxDocumentBytes, ' ') + "{}",
         "cannot read the plot: it is too large (over 1048576 bytes)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CountingPlot plot;
        plot.GetChannel(0)->AddXY(1, 2);
        const QByteArray before = plot.SaveProperties();
        const QString file = dir.filePath(QString::fromLatin1(c.what) + QStringLiteral(".json"));
        QFile out(file);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(c.document);
        out.close();
        plot.changes = 0;
        const QString error = ErrorOf([&] { plot.LoadPropertiesFromFile(file); });
        EXPECT_EQ(error, file + QStringLiteral(": ") + QString::fromUtf8(c.message));
        EXPECT_EQ(QString::fromUtf8(plot.SaveProperties()), QString::fromUtf8(before));
        EXPECT_EQ(plot.GetChannel(0)->GetCount(), 1);
        EXPECT_EQ(plot.changes, 0);
        EXPECT_FALSE(plot.Loading());
        EXPECT_FALSE(plot.Updating());
        EXPECT_TRUE(plot.Master().LayoutManager().Enabled());
    }

    TiXYPlot plot;
    // An endless source ends with the plot's error, not by running out of memory.
    EXPECT_TRUE(ErrorOf([&] { plot.LoadPropertiesFromFile(QStringLiteral("/dev/zero")); }).startsWith(QStringLiteral("/dev/zero: ")));
    EXPECT_EQ(ErrorOf([&] { plot.LoadProperties(QByteArray(TiPlotPropertyLimits::MaxDocumentBytes + 1, ' '), "big"); }),
              "big: the plot document is larger than 1048576 bytes");
    const QString missing = dir.filePath(QStringLiteral("missing.json"));
    EXPECT_TRUE(ErrorOf([&] { plot.LoadPropertiesFromFile(missing); }).startsWith(missing + QStringLiteral(": cannot read the plot")));
    const QString unwritable = dir.filePath(QStringLiteral("no/such/dir/plot.json"));
    EXPECT_TRUE(ErrorOf([&] { plot.SavePropertiesToFile(unwritable); }).startsWith(unwritable + QStringLiteral(": cannot write")));
}

namespace {

// One object whose stored numbers all sit at one end of their ranges, its
// fonts at the extremes and its switches on. Every stored number must have
// a range.
QJsonObject AtLimits(const QMetaObject* meta, int firstProperty, bool high, QJsonObject object, bool switches)
{
    for (int i = firstProperty; i < meta->propertyCount(); ++i) {
        const QMetaProperty p = meta->property(i);
        const QString name = QString::fromLatin1(p.name());
        if (!p.isStored() || !p.isWritable() || p.isEnumType() || object.contains(name))
            continue;
        const int type = p.metaType().id();
        if (type == QMetaType::Int || type == QMetaType::Double) {
            const auto range = TiPlotPropertyLimits::Of(p.name());
            EXPECT_TRUE(range) << meta->className() << "::" << p.name() << " has no range";
            if (range)
                object.insert(name, high ? range->Max : range->Min);
        } else if (type == QMetaType::fromType<TiFont>().id()) {
            object.insert(name, QJsonObject{{QStringLiteral("Name"), QStringLiteral("Arial")},
                                            {QStringLiteral("Height"), high ? 500 : -500},
                                            {QStringLiteral("Color"), high ? INT_MAX : INT_MIN},
                                            {QStringLiteral("Style"), high ? 15 : 0},
                                            {QStringLiteral("Orientation"), high ? 360 : -360}});
        } else if (type == QMetaType::Bool && switches) {
            object.insert(name, true);
        }
    }
    return object;
}

} // namespace

TEST(PlotStorage, DocumentsAtThePropertyLimitsLoadAndPaint)
{
    // Each kind once, bound to each other by name, as a stored plot holds them.
    const struct {
        const char* key;
        TiPlotKind kind;
        QJsonObject item;
    } items[] = {
        {"ToolBarManager", TiPlotKind::ToolBar, {{"Name", "Toolbar 1"}}},
        {"LegendManager", TiPlotKind::Legend, {{"Name", "Legend 1"}}},
        {"TableManager", TiPlotKind::Table, {{"Name", "Table 1"}}},
        {"XAxisManager", TiPlotKind::XAxis, {{"Name", "X-Axis 1"}, {"CartesianChildRefAxisName", "Y-Axis 1"}}},
        {"YAxisManager", TiPlotKind::YAxis, {{"Name", "Y-Axis 1"}}},
        {"ChannelManager", TiPlotKind::Channel, {{"Name", "Channel 1"}, {"XAxisName", "X-Axis 1"}, {"YAxisName", "Y-Axis 1"}}},
        {"DataViewManager",
         TiPlotKind::DataView,
         {{"Name", "Data View 1"}, {"GridXAxisName", "X-Axis 1"}, {"GridYAxisName", "Y-Axis 1"}}},
        {"DataCursorManager", TiPlotKind::DataCursor, {{"Name", "Cursor 1"}, {"ChannelName", "Channel 1"}}},
        {"LimitManager", TiPlotKind::Limit, {{"Name", "Limit 1"}}},
        {"LabelManager", TiPlotKind::Label, {{"Name", "Title"}, {"Caption", "Title"}}},
    };
    for (const bool high : {false, true}) {
        SCOPED_TRACE(high ? "highest" : "lowest");
        TiXYPlot plot;
        QJsonObject document;
        document.insert(QStringLiteral("Properties"),
                        AtLimits(plot.metaObject(), TiPlotComponent::staticMetaObject.propertyOffset(), high,
                                 {{"BackGroundColor", high ? INT_MAX : INT_MIN}}, false));
        for (const auto& [key, kind, item] : items) {
            const std::unique_ptr<TiPlotObject> object = plot.Master().CreateObject(kind);
            document.insert(QString::fromLatin1(key), QJsonArray{AtLimits(object->GadgetMetaObject(), 0, high, item, true)});
        }
        plot.LoadProperties(QJsonDocument(document).toJson(), QStringLiteral("limits"));
        // The axis range clamps itself instead of being refused.
        EXPECT_EQ(plot.GetXAxis(0)->Min(), high ? 1e300 : -1e300);
        EXPECT_EQ(plot.GetXAxis(0)->Span(), high ? 1e300 : 1e-300);
        for (const double x : {0.0, 1.0, 2.0})
            plot.GetChannel(0)->AddXY(x, x * x - 1);
        for (const QSize size : {QSize(500, 300), QSize(3, 3)}) {
            plot.resize(size);
            EXPECT_EQ(plot.RenderToImage().size(), size);
        }
    }
}

TEST(PlotStorage, UnnamedObjectsAreNamedAndFoundWithoutWalkingTheList)
{
    // Twenty thousand unnamed cursors and channels: each is named, coloured
    // and listed once.
    QByteArray items = "{}";
    for (int i = 1; i < 20000; ++i)
        items += ",{}";
    TiXYPlot plot;
    plot.LoadProperties("{\"DataCursorManager\": [" + items + "], \"ChannelManager\": [" + items + "]}",
                        QStringLiteral("many"));
    ASSERT_EQ(plot.DataCursorCount(), 20000);
    ASSERT_EQ(plot.ChannelCount(), 20000);
    EXPECT_EQ(plot.GetChannel(19999)->Name(), "Channel 20000");
    // After a removal and a change the kept count of channels per colour
    // still picks what a full count picks (the new channel starts as colour 0).
    plot.DeleteChannel(3);
    plot.GetChannel(4)->SetColor(TiPlotMasterManager::ChannelPalette[7]);
    std::map<TColor, int> uses{{TiPlotMasterManager::ChannelPalette[0], 1}};
    for (int i = 0; i < plot.ChannelCount(); ++i)
        ++uses[plot.GetChannel(i)->Color()];
    const TColor* least = std::min_element(std::begin(TiPlotMasterManager::ChannelPalette),
                                           std::end(TiPlotMasterManager::ChannelPalette),
                                           [&](TColor a, TColor b) { return uses[a] < uses[b]; });
    EXPECT_EQ(plot.GetChannel(plot.AddChannel())->Color(), *least);
    EXPECT_EQ(plot.GetDataCursor(19999)->Name(), "Cursor 20000");
    EXPECT_EQ(plot.GetDataCursorIndexByName(QStringLiteral("cursor 12345")), 12344);

    // A rename moves the object in the index and the next free number with it.
    plot.GetDataCursor(2)->SetName(QStringLiteral("Cursor 50000"));
    EXPECT_EQ(plot.GetDataCursorIndexByName(QStringLiteral("Cursor 3")), -1);
    EXPECT_EQ(plot.GetDataCursorIndexByName(QStringLiteral("CURSOR 50000")), 2);
    EXPECT_EQ(plot.GetDataCursor(plot.AddDataCursor())->Name(), "Cursor 50001");
    // Removal shifts the indexes after it; the first of equal names wins.
    plot.DeleteDataCursor(20000);
    plot.DeleteDataCursor(2);
    EXPECT_EQ(plot.GetDataCursorIndexByName(QStringLiteral("Cursor 20000")), 19998);
    plot.GetDataCursor(0)->SetName(QStringLiteral("cursor 2"));
    EXPECT_EQ(plot.GetDataCursorIndexByName(QStringLiteral("Cursor 2")), 0);
    plot.DeleteDataCursor(0);
    EXPECT_EQ(plot.GetDataCursorIndexByName(QStringLiteral("Cursor 2")), 0);
    EXPECT_EQ(plot.GetDataCursor(plot.AddDataCursor())->Name(), "Cursor 20001");
}

TEST(PlotStorage, EmptiedCollectionsComeBackEmpty)
{
    TiXYPlot plot;
    plot.RemoveAllChannels();
    plot.RemoveAllDataCursors();
    plot.RemoveAllXAxes();
    plot.RemoveAllLegends();
    const QByteArray stored = plot.SaveProperties();
    TiXYPlot restored;
    restored.LoadProperties(stored, QStringLiteral("emptied"));
    EXPECT_EQ(restored.ChannelCount(), 0);
    EXPECT_EQ(restored.DataCursorCount(), 0);
    EXPECT_EQ(restored.XAxisCount(), 0);
    EXPECT_EQ(restored.LegendCount(), 0);
    EXPECT_EQ(restored.YAxisCount(), 1);
    EXPECT_EQ(QString::fromUtf8(restored.SaveProperties()), QString::fromUtf8(stored));
}
