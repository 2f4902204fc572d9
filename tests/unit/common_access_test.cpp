// The access check against real security descriptors of files, folders and
// registry keys.
#include <gtest/gtest.h>
#include <aclapi.h>
#include <string>
#include "common/access.h"

static std::string TempName(const char* name) {
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  return std::string(temp) + name + std::to_string(GetCurrentProcessId());
}

// A descriptor whose only entry lets everyone read, so writing is denied.
struct ReadOnlyDescriptor {
  ReadOnlyDescriptor() {
    SID_IDENTIFIER_AUTHORITY world = SECURITY_WORLD_SID_AUTHORITY;
    AllocateAndInitializeSid(&world, 1, SECURITY_WORLD_RID, 0, 0, 0, 0, 0, 0, 0, &everyone);
    InitializeAcl((ACL*)acl, sizeof acl, ACL_REVISION);
    AddAccessAllowedAce((ACL*)acl, ACL_REVISION, GENERIC_READ | READ_CONTROL, everyone);
    InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION);
    SetSecurityDescriptorDacl(&descriptor, TRUE, (ACL*)acl, FALSE);
    attributes = {sizeof attributes, &descriptor, FALSE};
  }
  ~ReadOnlyDescriptor() { FreeSid(everyone); }
  PSID everyone = 0;
  DWORD acl[64];
  SECURITY_DESCRIPTOR descriptor;
  SECURITY_ATTRIBUTES attributes;
};

TEST(AccessCheck, OwnFileAndFolderAreWritable) {
  std::string file = TempName("corvel-access-");
  CloseHandle(CreateFileA(file.c_str(), GENERIC_WRITE, 0, 0, CREATE_ALWAYS, 0, 0));
  bool allowed = false;
  EXPECT_EQ(0u, CheckAccess(SecurityToken, file.c_str(), FileObject, GENERIC_WRITE, &allowed));
  EXPECT_TRUE(allowed);
  allowed = false;
  EXPECT_EQ(0u, CheckAccess(SecurityToken, file.c_str(), FileObject, GENERIC_READ | GENERIC_WRITE, &allowed));
  EXPECT_TRUE(allowed);
  DeleteFileA(file.c_str());

  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  allowed = false;
  EXPECT_EQ(0u, CheckAccess(SecurityToken, temp, FileObject, FILE_ADD_FILE, &allowed));
  EXPECT_TRUE(allowed);
}

TEST(AccessCheck, ReadOnlyFileDeniesWriting) {
  ReadOnlyDescriptor readOnly;
  std::string file = TempName("corvel-readonly-");
  DeleteFileA(file.c_str());
  CloseHandle(CreateFileA(file.c_str(), GENERIC_WRITE, 0, &readOnly.attributes, CREATE_ALWAYS, 0, 0));
  bool allowed = true;
  EXPECT_EQ(0u, CheckAccess(SecurityToken, file.c_str(), FileObject, GENERIC_WRITE, &allowed));
  EXPECT_FALSE(allowed);
  allowed = false;
  EXPECT_EQ(0u, CheckAccess(SecurityToken, file.c_str(), FileObject, GENERIC_READ, &allowed));
  EXPECT_TRUE(allowed);
  // The owner may always open the descriptor to everyone again, then delete.
  SECURITY_DESCRIPTOR open;
  InitializeSecurityDescriptor(&open, SECURITY_DESCRIPTOR_REVISION);
  SetSecurityDescriptorDacl(&open, TRUE, 0, FALSE);
  SetFileSecurityA(file.c_str(), DACL_SECURITY_INFORMATION, &open);
  EXPECT_TRUE(DeleteFileA(file.c_str()));
}

TEST(AccessCheck, RegistryKeys) {
  bool allowed = false;
  EXPECT_EQ(0u, CheckAccess(SecurityToken, "CURRENT_USER\\Software", RegistryKeyObject, KEY_WRITE, &allowed));
  EXPECT_TRUE(allowed);

  ReadOnlyDescriptor readOnly;
  HKEY key;
  const char* name = "Software\\CorvelAccessTest";
  ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CURRENT_USER, name, 0, 0, 0, KEY_ALL_ACCESS, 0, &key, 0));
  ASSERT_EQ(ERROR_SUCCESS, RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, &readOnly.descriptor));
  allowed = true;
  EXPECT_EQ(0u, CheckAccess(SecurityToken, "CURRENT_USER\\Software\\CorvelAccessTest", RegistryKeyObject,
                            GENERIC_WRITE, &allowed));
  EXPECT_FALSE(allowed);
  allowed = false;
  EXPECT_EQ(0u, CheckAccess(SecurityToken, "CURRENT_USER\\Software\\CorvelAccessTest", RegistryKeyObject,
                            KEY_READ, &allowed));
  EXPECT_TRUE(allowed);
  SECURITY_DESCRIPTOR open;
  InitializeSecurityDescriptor(&open, SECURITY_DESCRIPTOR_REVISION);
  SetSecurityDescriptorDacl(&open, TRUE, 0, FALSE);
  RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, &open);
  RegCloseKey(key);
  EXPECT_EQ(ERROR_SUCCESS, RegDeleteKeyA(HKEY_CURRENT_USER, name));
}

TEST(AccessCheck, MissingObjectsGiveTheSystemError) {
  bool allowed = false;
  std::string missing = TempName("corvel-missing-");
  EXPECT_EQ((DWORD)ERROR_FILE_NOT_FOUND, CheckAccess(SecurityToken, missing.c_str(), FileObject, GENERIC_WRITE, &allowed));
  EXPECT_TRUE(allowed);
  allowed = false;
  EXPECT_EQ((DWORD)ERROR_FILE_NOT_FOUND, CheckAccess(SecurityToken, "CURRENT_USER\\Software\\CorvelNoSuchKey",
                                                     RegistryKeyObject, KEY_WRITE, &allowed));
  EXPECT_TRUE(allowed);
}

TEST(AccessCheck, WithoutTheSecurityFunctionsNothingIsChecked) {
  ReleaseSecurityFunctions();
  bool allowed = false;
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  EXPECT_EQ(1u, CheckAccess(SecurityToken, temp, FileObject, FILE_ADD_FILE, &allowed));
  EXPECT_TRUE(allowed);
  ASSERT_TRUE(LoadSecurityFunctions());
  allowed = false;
  EXPECT_EQ(0u, CheckAccess(SecurityToken, temp, FileObject, FILE_ADD_FILE, &allowed));
  EXPECT_TRUE(allowed);
}
