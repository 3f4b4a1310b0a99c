// Entry of every Windows test program: common controls first, then GoogleTest.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>

#include <gtest/gtest.h>

namespace {

// A crash ends the test program at once with its exception code. Under Wine
// an unhandled exception otherwise starts the debugger, which waits for ever
// and holds the whole test run until its time-out.
LONG WINAPI EndOnCrash(EXCEPTION_POINTERS* info) {
    std::fprintf(stderr, "test program crashed: exception 0x%08lx at %p\n",
                 static_cast<unsigned long>(info->ExceptionRecord->ExceptionCode),
                 info->ExceptionRecord->ExceptionAddress);
    std::fflush(stderr);
    TerminateProcess(GetCurrentProcess(), 3);
    return EXCEPTION_EXECUTE_HANDLER;
}

}  // namespace

int main(int argc, char** argv) {
    SetUnhandledExceptionFilter(EndOnCrash);
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES | ICC_TAB_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&icc);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
