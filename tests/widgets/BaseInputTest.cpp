#include "BaseTestWidget.h"

#include <QTest>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

// Records the order in which hooks and signals see a message.
class InputWidget : public BaseTestWidget {
public:
    InputWidget()
    {
        connect(this, &TiComponent::OnClick, this, [this] { log.push_back("click"); });
        connect(this, &TiComponent::OnMouseDown, this, [this](Qt::MouseButton, Qt::KeyboardModifiers, int, int) { log.push_back("OnMouseDown"); });
        connect(this, &TiComponent::OnMouseUp, this, [this](Qt::MouseButton, Qt::KeyboardModifiers, int, int) { log.push_back("OnMouseUp"); });
        connect(this, &TiComponent::OnKeyDown, this, [this](int, Qt::KeyboardModifiers) { log.push_back("OnKeyDown"); });
    }
    std::vector<std::string> log;
    bool userDuringHook = false;
    bool throwInKey = false;

protected:
    void iMouseDown(TMouseButton, TShiftState, int x, int y) override
    {
        userDuringHook = UserGenerated();
        log.push_back("iMouseDown " + std::to_string(x) + "," + std::to_string(y));
    }
    void iMouseUp(TMouseButton, TShiftState, int x, int y) override
    {
        log.push_back("iMouseUp " + std::to_string(x) + "," + std::to_string(y));
    }
    void iKeyDown(int& key, TShiftState) override
    {
        log.push_back("iKeyDown " + std::to_string(key));
        if (throwInKey)
            throw TiError(QStringLiteral("bad key"));
    }
};

using Log = std::vector<std::string>;

TEST(BaseInput, MouseHooksRunBeforeTheEventsAndClickBeforeRelease)
{
    InputWidget w;
    w.show();
    QTest::mouseClick(&w, Qt::LeftButton, Qt::NoModifier, QPoint(5, 6));
    EXPECT_EQ(w.log, (Log{"iMouseDown 5,6", "OnMouseDown", "click", "iMouseUp 5,6", "OnMouseUp"}));
    EXPECT_TRUE(w.userDuringHook);
    EXPECT_FALSE(w.UserGenerated());

    w.log.clear();
    QTest::mousePress(&w, Qt::LeftButton, Qt::NoModifier, QPoint(5, 6));
    QTest::mouseRelease(&w, Qt::LeftButton, Qt::NoModifier, QPoint(80, 6));
    EXPECT_EQ(std::count(w.log.begin(), w.log.end(), "click"), 0) << "released outside: no click";
}

TEST(BaseInput, KeyEventsFirstAndHookErrorsSwallowed)
{
    InputWidget w;
    w.SetTabStop(true);
    w.show();
    w.setFocus();
    w.throwInKey = true;
    QTest::keyClick(&w, Qt::Key_Up);
    EXPECT_EQ(w.log, (Log{"OnKeyDown", "iKeyDown " + std::to_string(Qt::Key_Up)}));
}

TEST(BaseInput, LosingFocusEndsADrag)
{
    QWidget window;
    auto* w = new InputWidget;
    w->setParent(&window);
    w->SetTabStop(true);
    auto* other = new QWidget(&window);
    other->setFocusPolicy(Qt::StrongFocus);
    other->setGeometry(50, 0, 20, 20);
    window.show();
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    w->setFocus();
    flushPaints();
    ASSERT_TRUE(w->HasFocus());
    w->log.clear();
    other->setFocus();
    flushPaints();
    EXPECT_FALSE(w->HasFocus());
    EXPECT_EQ(w->log, (Log{"iMouseUp 0,0"}));
}

} // namespace
