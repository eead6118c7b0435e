// Run-time class information and creation by class.
#include <gtest/gtest.h>

#include <memory>

#include "framework/controls.h"

class CCreatableHeader : public CHeaderCtrl {
    DECLARE_DYNCREATE(CCreatableHeader)
};
IMPLEMENT_DYNCREATE(CCreatableHeader, CHeaderCtrl)

class CNamedOnly : public CWnd {
    DECLARE_DYNAMIC(CNamedOnly)
};
IMPLEMENT_DYNAMIC(CNamedOnly, CWnd)

namespace {

TEST(RuntimeClass, CreatesByClassAndFindsByName) {
    const CRuntimeClass* cls = CRuntimeClass::FromName("CCreatableHeader");
    ASSERT_EQ(cls, RUNTIME_CLASS(CCreatableHeader));
    std::unique_ptr<CObject> obj(cls->CreateObject());
    ASSERT_NE(obj, nullptr);
    EXPECT_NE(dynamic_cast<CCreatableHeader*>(obj.get()), nullptr);
    EXPECT_TRUE(obj->IsKindOf(RUNTIME_CLASS(CHeaderCtrl)));
    EXPECT_TRUE(obj->IsKindOf(RUNTIME_CLASS(CWnd)));
    EXPECT_FALSE(obj->IsKindOf(RUNTIME_CLASS(CNamedOnly)));
}

TEST(RuntimeClass, ClassWithoutCreationGivesNoObject) {
    EXPECT_EQ(RUNTIME_CLASS(CNamedOnly)->CreateObject(), nullptr);
    EXPECT_STREQ(RUNTIME_CLASS(CNamedOnly)->m_lpszClassName, "CNamedOnly");
    EXPECT_EQ(RUNTIME_CLASS(CNamedOnly)->m_pBaseClass, RUNTIME_CLASS(CWnd));
}

} // namespace
