#include "GioLibrary.h"

#include <gtest/gtest.h>

using tintaro::GioLibrary;

namespace {

TEST(GioLibraryTest, SystemGioBindsEveryCall) {
    const auto gio = GioLibrary::load("libgio-2.0.so.0");
    ASSERT_NE(gio, nullptr);
    // The pointers must be the very functions the program would otherwise link against.
    EXPECT_EQ(gio->appInfoGetDefaultForType, &g_app_info_get_default_for_type);
    EXPECT_EQ(gio->appInfoGetDefaultForUriScheme, &g_app_info_get_default_for_uri_scheme);
    EXPECT_EQ(gio->appInfoGetCommandline, &g_app_info_get_commandline);
    EXPECT_EQ(gio->appInfoGetName, &g_app_info_get_name);
    EXPECT_EQ(gio->appInfoLaunchUris, &g_app_info_launch_uris);
    EXPECT_EQ(gio->appInfoLaunchDefaultForUri, &g_app_info_launch_default_for_uri);
    EXPECT_EQ(gio->desktopAppInfoGetType, &g_desktop_app_info_get_type);
    EXPECT_EQ(gio->desktopAppInfoGetString, &g_desktop_app_info_get_string);
    EXPECT_EQ(gio->desktopAppInfoGetBoolean, &g_desktop_app_info_get_boolean);
    EXPECT_EQ(gio->desktopAppInfoGetFilename, &g_desktop_app_info_get_filename);
    EXPECT_EQ(gio->typeCheckInstanceIsA, &g_type_check_instance_is_a);
    EXPECT_EQ(gio->objectUnref, &g_object_unref);
}

TEST(GioLibraryTest, MissingOrIncompleteLibraryGivesNothing) {
    // A library that does not exist, no name (which would mean this program itself, GIO linked
    // in), and real libraries with none or only some of the calls.
    for (const char* soname :
         {"libtintaro-no-such-library.so.0", "", static_cast<const char*>(nullptr),
          "libglib-2.0.so.0", "libgobject-2.0.so.0"}) {
        SCOPED_TRACE(soname ? soname : "(null)");
        EXPECT_EQ(GioLibrary::load(soname), nullptr);
    }
}

TEST(GioLibraryTest, SystemIsLoadedOnce) {
    const GioLibrary* first = GioLibrary::system();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(GioLibrary::system(), first);
}

TEST(GioLibraryTest, TellsDesktopEntriesFromOtherObjects) {
    const GioLibrary* gio = GioLibrary::system();
    ASSERT_NE(gio, nullptr);

    GKeyFile* file = g_key_file_new();
    const char entry[] = "[Desktop Entry]\nType=Application\nName=Probe\nExec=true %u\n";
    ASSERT_TRUE(g_key_file_load_from_data(file, entry, sizeof entry - 1, G_KEY_FILE_NONE, nullptr));
    GDesktopAppInfo* desktop = g_desktop_app_info_new_from_keyfile(file);
    g_key_file_unref(file);
    ASSERT_NE(desktop, nullptr);
    auto* plain = static_cast<GObject*>(g_object_new(G_TYPE_OBJECT, nullptr));

    EXPECT_TRUE(gio->isDesktopAppInfo(desktop));
    EXPECT_FALSE(gio->isDesktopAppInfo(plain));
    EXPECT_FALSE(gio->isDesktopAppInfo(nullptr));
    // The launcher reads a desktop entry's own Exec line through the bound calls.
    EXPECT_STREQ(gio->appInfoGetCommandline(G_APP_INFO(desktop)), "true %u");
    EXPECT_STREQ(gio->appInfoGetName(G_APP_INFO(desktop)), "Probe");

    gio->objectUnref(plain);
    gio->objectUnref(desktop);
}

} // namespace
