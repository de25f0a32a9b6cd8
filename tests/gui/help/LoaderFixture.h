#pragma once
#include <gtest/gtest.h>

#include "HelpTestSupport.h"
#include "HtmlHelpLoader.h"

// Every test starts as the first help request of a fresh run: the loader holds
// nothing and the class-id key is put back as it was afterwards.
class HtmlHelpLoaderTest : public ::testing::Test {
protected:
    void SetUp() override { ResetHtmlHelpLoaderForTests(); }

    void TearDown() override
    {
        // The loader never unloads; the test does, so that the next test's
        // process has loaded no help library either.
        if (g_hHtmlHelpModule)
            FreeLibrary(g_hHtmlHelpModule);
        ResetHtmlHelpLoaderForTests();
    }

    helptest::ScopedClassIdKey m_classIdKey;
};
