// The stubs: a call through them as a window procedure, the object query, the pool's reuse,
// and ObjectFromHandle on real windows.
#include "Receiver.h"
#include "Recording.h"
#include "Thunk.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

std::uintptr_t Address(const void* pointer)
{
    return reinterpret_cast<std::uintptr_t>(pointer);
}

std::uintptr_t AddressOf(WNDPROC stub)
{
    return reinterpret_cast<std::uintptr_t>(stub);
}

// Columns: message, wParam, lParam, result stored by the handler (null: none), result returned.
struct CallCase {
    UINT Message;
    WPARAM WParam;
    LPARAM LParam;
    const LRESULT* Stored;
    LRESULT Returned;
};

const LRESULT Stored42 = 42;
const LRESULT StoredWide = static_cast<LRESULT>(0x8000000000000001ull);
const LRESULT StoredZero = 0;

TEST(Stub, DeliversTheArgumentsAsARecordAndReturnsItsResult)
{
    const CallCase cases[] = {
        {WM_USER + 1, 0, 0, nullptr, 1},
        {WM_USER + 2, static_cast<WPARAM>(0xFFFFFFFF00000001ull), -2, &Stored42, 42},
        {0xC123, static_cast<WPARAM>(0x8000000000000000ull), static_cast<LPARAM>(0x7FFFFFFFFFFFFFFFll), &StoredWide,
         StoredWide},
        {WM_NULL, 1, 1, &StoredZero, 0},
    };
    Owned<Receiver> receiver(new Receiver);
    auto hwnd = reinterpret_cast<HWND>(static_cast<std::uintptr_t>(0x123456789ABCull));
    for (const CallCase& c : cases) {
        receiver->Seen.clear();
        receiver->Answer = c.Stored;
        LRESULT returned = receiver->Thunk(hwnd, c.Message, c.WParam, c.LParam);
        ASSERT_EQ(1u, receiver->Seen.size()) << "message " << c.Message;
        const MessageRecord& seen = receiver->Seen[0];
        EXPECT_EQ(hwnd, seen.Handle);
        EXPECT_EQ(c.Message, seen.Message);
        EXPECT_EQ(c.WParam, seen.WParam);
        EXPECT_EQ(c.LParam, seen.LParam);
        EXPECT_EQ(1, seen.Result) << "Result before the handler runs";
        EXPECT_EQ(c.Returned, returned) << "message " << c.Message;
    }
}

TEST(Stub, AnswersTheObjectQueryWithoutAskingTheObject)
{
    Owned<Receiver> receiver(new Receiver);
    ASSERT_NE(0u, ObjectPtrMessage) << "registered before the first stub";
    LRESULT answer = receiver->Thunk(nullptr, ObjectPtrMessage, 0, 0);
    EXPECT_EQ(Address(receiver.get()), static_cast<std::uintptr_t>(answer));
    EXPECT_TRUE(receiver->Seen.empty()) << "the query reached HandleMessage";
}

TEST(StubPool, HandsOutTheLastReleasedStubFirst)
{
    Owned<Receiver> owner(new Receiver);
    WNDPROC first = AllocateThunk(owner.get());
    WNDPROC second = AllocateThunk(owner.get());
    ReleaseThunk(second);
    ReleaseThunk(first);
    ReleaseThunk(nullptr);
    WNDPROC again = AllocateThunk(owner.get());
    EXPECT_EQ(AddressOf(first), AddressOf(again)) << "released last, handed out first";
    WNDPROC afterThat = AllocateThunk(owner.get());
    EXPECT_EQ(AddressOf(second), AddressOf(afterThat));
    ReleaseThunk(afterThat);
    ReleaseThunk(again);
}

TEST(ObjectFromHandle, FindsTheObjectOfBoundWindowsOnly)
{
    Owned<RecordingWindow> frame(new RecordingWindow(nullptr, "frame"));
    auto* control = new RecordingControl(frame.get(), "control", "Button", 7);
    ASSERT_TRUE(frame->CreateHandle());
    ASSERT_NE(nullptr, control->Handle);
    // A framework window whose HandleMessage swallows every message still answers the query.
    frame->Intercept = [](MessageRecord&) { return true; };
    HWND foreign = CreateWindowExA(0, "Button", "plain", WS_CHILD, 0, 0, 10, 10, frame->Handle, nullptr,
                                   GetModuleHandleA(nullptr), nullptr);
    HWND destroyed = CreateWindowExA(0, "Button", "gone", WS_CHILD, 0, 0, 10, 10, frame->Handle, nullptr,
                                     GetModuleHandleA(nullptr), nullptr);
    DestroyWindow(destroyed);
    std::size_t framesMessages = frame->Messages.size();

    // Columns: window, the object expected, what it is.
    const struct {
        HWND Window;
        WindowsObject* Expected;
        const char* What;
    } cases[] = {
        {nullptr, nullptr, "handle 0"},
        {destroyed, nullptr, "a destroyed window"},
        {foreign, nullptr, "a Button that was never subclassed"},
        {control->Handle, control, "a subclassed Button"},
        {frame->Handle, frame.get(), "a framework-class window"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.Expected, ObjectFromHandle(c.Window)) << c.What;
    EXPECT_EQ(framesMessages, frame->Messages.size()) << "the query reached HandleMessage";
    EXPECT_EQ(LRESULT(frame.get()), SendMessageA(frame->Handle, ObjectPtrMessage, 0, 0)) << "sent, not called";
}

}  // namespace
