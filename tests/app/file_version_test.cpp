// The version reader against two small modules, one with a known version resource and one
// without any.
#include <gtest/gtest.h>

#include "app/form/file_version.h"
#include "framework/system_library.h"

namespace {

struct Case {
    const char* name;
    LPCWSTR module; // null: a null module handle
    LPCWSTR key;
    LPCWSTR value;
    LPCWSTR fileVersion, productVersion, found;
};

const Case kCases[] = {
    {"fixed versions only", L"versioned_module.dll", nullptr, nullptr, L"1,2,3,4", L"5,6,7,65535",
     L""},
    {"a string value", L"versioned_module.dll", L"040904b0", L"FileDescription", L"1,2,3,4",
     L"5,6,7,65535", L"Version reader test module"},
    {"a missing value", L"versioned_module.dll", L"040904b0", L"Comments", L"1,2,3,4",
     L"5,6,7,65535", L""},
    {"a key without a name", L"versioned_module.dll", L"040904b0", nullptr, L"1,2,3,4",
     L"5,6,7,65535", L""},
    {"no version resource", L"plain_module.dll", L"040904b0", L"FileDescription", L"", L"", L""},
    {"no module", nullptr, L"040904b0", L"FileDescription", L"", L"", L""},
};

TEST(FileVersion, ReadsModulesWithAndWithoutAVersionResource) {
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        CLibrary module(c.module ? ::LoadLibraryW(c.module) : nullptr);
        ASSERT_TRUE(module.IsLoaded() || !c.module);
        CFileVersion version(module, c.key, c.value);
        EXPECT_STREQ(version.m_strFileVersion, c.fileVersion);
        EXPECT_STREQ(version.m_strProductVersion, c.productVersion);
        EXPECT_STREQ(version.m_strValue, c.found);
    }
}

TEST(FileVersion, AFileWithoutVersionDataLeavesEarlierValues) {
    CLibrary module(::LoadLibraryW(L"versioned_module.dll"));
    ASSERT_TRUE(module.IsLoaded());
    CFileVersion version(module, L"040904b0", L"FileVersion");
    module.Free();
    version.ReadFromFile(L"no-such-file.dll", L"040904b0", L"FileVersion");
    version.ReadFromModule(nullptr, nullptr, nullptr);
    EXPECT_STREQ(version.m_strFileVersion, L"1,2,3,4");
    EXPECT_STREQ(version.m_strProductVersion, L"5,6,7,65535");
    EXPECT_STREQ(version.m_strValue, L"1.2.3.4");
}

} // namespace
