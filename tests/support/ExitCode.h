#pragma once
// "Ran and exited 0": a process of the test ended within the wait, with
// exit code 0.

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

inline ::testing::AssertionResult ExitedZero(HANDLE process, DWORD ms) {
    if (!process) return ::testing::AssertionFailure() << "the process was never started";
    if (WaitForSingleObject(process, ms) != WAIT_OBJECT_0)
        return ::testing::AssertionFailure() << "the process did not end within " << ms << " ms";
    DWORD code = 1;
    if (!GetExitCodeProcess(process, &code)) return ::testing::AssertionFailure() << "no exit code";
    if (code != 0) return ::testing::AssertionFailure() << "the process exited with code " << code;
    return ::testing::AssertionSuccess();
}
