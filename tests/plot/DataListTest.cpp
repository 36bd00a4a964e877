#include "PlotTestSupport.h"

#include "plot/TiPlotDataCompactIntervalList.h"
#include "plot/TiPlotDataCompactList.h"
#include "plot/TiPlotDataFullList.h"
#include "plot/TiPlotDataNullList.h"

#include <memory>
#include <vector>

namespace {

std::vector<double> Ys(const TiPlotDataCustomList& list)
{
    std::vector<double> ys;
    for (int i = 0; i < list.Count(); ++i)
        ys.push_back(list.GetY(i));
    return ys;
}

std::vector<std::unique_ptr<TiPlotDataCustomList>> EveryList()
{
    std::vector<std::unique_ptr<TiPlotDataCustomList>> lists;
    lists.push_back(std::make_unique<TiPlotDataNullList>());
    lists.push_back(std::make_unique<TiPlotDataCompactList>());
    lists.push_back(std::make_unique<TiPlotDataCompactIntervalList>());
    lists.push_back(std::make_unique<TiPlotDataFullList>());
    return lists;
}

} // namespace

TEST(DataList, PointSizesAndMaximumCounts)
{
    const auto lists = EveryList();
    const int sizes[] = {24, 8, 4, 136};
    for (std::size_t i = 0; i < lists.size(); ++i) {
        EXPECT_EQ(lists[i]->GetDataPointSize(), sizes[i]);
        EXPECT_EQ(lists[i]->GetMaxDataPoints(), 2147483647 / sizes[i]);
    }
}

TEST(DataList, CapacityGrowsInTheFixedSteps)
{
    for (const auto& list : EveryList()) {
        std::vector<int> capacities;
        for (int i = 0; i < 200; ++i) {
            list->Add(i, i);
            if (capacities.empty() || capacities.back() != list->Capacity())
                capacities.push_back(list->Capacity());
        }
        EXPECT_EQ(capacities, (std::vector<int>{4, 8, 12, 28, 44, 60, 76, 95, 118, 147, 183, 228}));
        EXPECT_EQ(list->GetMemoryUsed(), 228LL * list->GetDataPointSize());
        // Growing from 4 to 8 happens at the 5th point, from 12 to 28 at the 13th.
        list->Clear();
        EXPECT_EQ(list->Capacity(), 0);
        for (int i = 0; i < 4; ++i)
            list->Add(i, i);
        EXPECT_EQ(list->Capacity(), 4);
        list->Add(4, 4);
        EXPECT_EQ(list->Capacity(), 8);
        for (int i = 5; i < 12; ++i)
            list->Add(i, i);
        EXPECT_EQ(list->Capacity(), 12);
        list->Add(12, 12);
        EXPECT_EQ(list->Capacity(), 28);
    }
}

TEST(DataList, RingKeepsTheNewestPointsInLogicalOrder)
{
    for (const auto& list : EveryList()) {
        list->SetRingBufferSize(3);
        EXPECT_EQ(list->Capacity(), 3);
        std::vector<int> stored;
        for (int v = 1; v <= 4; ++v)
            stored.push_back(list->Add(v, v));
        EXPECT_EQ(stored, (std::vector<int>{0, 1, 2, 0}));
        EXPECT_EQ(Ys(*list), (std::vector<double>{2, 3, 4}));
        EXPECT_EQ(list->GetActualIndex(0), 1);
        EXPECT_EQ(list->GetActualIndex(2), 0);
        list->Add(5, 5);
        list->Add(6, 6);
        EXPECT_EQ(Ys(*list), (std::vector<double>{4, 5, 6}));
        // Clearing a ring keeps its stored.
        list->Clear();
        EXPECT_EQ(list->Count(), 0);
        EXPECT_EQ(list->Capacity(), 3);
    }
}

TEST(DataList, RingSizeChangesKeepOrDropPoints)
{
    TiPlotDataNullList list;
    for (int v = 1; v <= 6; ++v)
        list.Add(v, v);
    list.SetRingBufferSize(4); // drops the two oldest
    EXPECT_EQ(Ys(list), (std::vector<double>{3, 4, 5, 6}));
    list.Add(7, 7);
    EXPECT_EQ(Ys(list), (std::vector<double>{4, 5, 6, 7}));
    // A wrapped ring is cleared when its size changes or the ring ends.
    list.SetRingBufferSize(5);
    EXPECT_EQ(list.Count(), 0);
    list.Add(1, 1);
    list.SetRingBufferSize(0);
    EXPECT_EQ(Ys(list), (std::vector<double>{1}));
    EXPECT_EQ(list.GetRingBufferSize(), 0);
}

TEST(DataList, BadIndicesSizesAndDeletesAreRefused)
{
    TiPlotDataNullList list;
    list.Add(1, 10);
    list.Add(2, 20);
    list.Add(3, 30);
    EXPECT_EQ(ErrorOf([&] { list.GetY(3); }), "Index out of Bounds");
    EXPECT_EQ(ErrorOf([&] { list.SetX(-1, 0); }), "Index out of Bounds");
    EXPECT_EQ(ErrorOf([&] { list.SetCapacity(list.GetMaxDataPoints() + 1); }), "Exceed Maximum List Size");
    EXPECT_EQ(ErrorOf([&] { list.DeletePoints(3); }), "Delete size out of Range");
    EXPECT_EQ(ErrorOf([&] { list.DeletePoints(-1); }), "Delete size out of Range");
    EXPECT_EQ(Ys(list), (std::vector<double>{10, 20, 30}));

    list.DeletePoints(2);
    EXPECT_EQ(Ys(list), (std::vector<double>{30}));
    list.Add(4, 40);
    list.SetCapacity(1);
    EXPECT_EQ(Ys(list), (std::vector<double>{30}));
    EXPECT_EQ(list.Capacity(), 1);
}

TEST(DataList, DeletingFromAWrappedRingKeepsLogicalOrder)
{
    TiPlotDataFullList list;
    list.SetRingBufferSize(4);
    for (int v = 1; v <= 6; ++v)
        list.Add(v, v * 10);
    ASSERT_EQ(Ys(list), (std::vector<double>{30, 40, 50, 60}));
    list.DeletePoints(1);
    EXPECT_EQ(Ys(list), (std::vector<double>{40, 50, 60}));
    EXPECT_EQ(list.GetX(0), 4);
}

TEST(DataList, StandardPointsStoreMarkerBitsAndFlags)
{
    TiPlotDataNullList list;
    list.Defaults.MarkerVisible = true;
    list.Defaults.MarkerStyle = ipmsTriangleRight;
    list.Defaults.TraceColor = clLime;
    list.Add(1, 2);
    list.Defaults.MarkerVisible = false;
    list.Add(3, 4);
    EXPECT_TRUE(list.GetAttributes(0).MarkerVisible);
    EXPECT_EQ(list.GetAttributes(0).MarkerStyle, ipmsTriangleRight);
    EXPECT_FALSE(list.GetAttributes(1).MarkerVisible);
    EXPECT_EQ(list.GetAttributes(1).TraceColor, clLime);
    list.SetNull(1, true);
    list.SetEmpty(0, true);
    EXPECT_TRUE(list.GetNull(1));
    EXPECT_FALSE(list.GetEmpty(1));
    EXPECT_TRUE(list.GetEmpty(0));
    EXPECT_TRUE(list.GetAttributes(0).MarkerVisible);

    // Per-point trace attributes only in the full list.
    TiPlotPointAttributes a = list.GetAttributes(0);
    a.TraceColor = clRed;
    list.SetAttributes(0, a);
    EXPECT_EQ(list.GetAttributes(0).TraceColor, clLime);
    TiPlotDataFullList full;
    full.Add(0, 0);
    full.SetAttributes(0, a);
    EXPECT_EQ(full.GetAttributes(0).TraceColor, clRed);
}

TEST(DataList, CompactIntervalDerivesXFromTheFirstTwoPoints)
{
    TiPlotDataCompactIntervalList list;
    list.Add(10, 1);
    EXPECT_EQ(list.Interval(), -1);
    EXPECT_EQ(list.GetX(0), 10);
    list.Add(12.5, 2);
    list.Add(99, 3); // X ignored after the second point
    EXPECT_EQ(list.GetX(2), 15);
    list.DeletePoints(1);
    EXPECT_EQ(list.GetX(0), 12.5);
    EXPECT_FALSE(list.GetNull(0));

    TiPlotDataCompactList compact;
    compact.Add(0.1, 0.2);
    EXPECT_EQ(compact.GetX(0), 0.1f);
    compact.SetNull(0, true);
    EXPECT_FALSE(compact.GetNull(0));
}
