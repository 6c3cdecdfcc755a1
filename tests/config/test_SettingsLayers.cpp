// An installed client's settings: the user's own file over the machine-wide one an administrator writes, both
// real files, read and written through ConfigFilePath as every window does.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "config/SettingsLayers.h"
#include "config/mdlINI.h"
#include "core/Processes.h"
#include "core/Table.h"
#include "core/TempDir.h"

namespace lumaro {
namespace {

namespace fs = std::filesystem;
using test::ReadBytes;
using test::WriteBytes;

class InstalledSettings : public ::testing::Test {
protected:
    void SetUp() override {
        // As on a desk: /etc is there, and start-up makes the user's folder.
        fs::create_directories(test::PathOf(machine).parent_path().parent_path());
        fs::create_directories(test::PathOf(user).parent_path());
        fs::create_directories(test::PathOf(otherUser).parent_path());
        ConfigFilePath = user;
        MachineConfigFilePath = machine;
    }
    void TearDown() override { ConfigFilePath.clear(), MachineConfigFilePath.clear(); }

    // A file's bytes, or nofile.
    static void Lay(const std::string& file, const std::string& bytes) {
        fs::remove(test::PathOf(file));
        if (bytes != "nofile") WriteBytes(file, bytes);
    }
    static std::string Bytes(const std::string& file) {
        return fs::exists(test::PathOf(file)) ? ReadBytes(file) : "nofile";
    }

    test::TempDir dir;
    const std::string machine = dir.file("etc/lumaro/Lumaro.lic");
    const std::string user = dir.file("home/.config/lumaro/Lumaro.lic");
    const std::string otherUser = dir.file("home2/.config/lumaro/Lumaro.lic");
};

TEST_F(InstalledSettings, TheUsersFileOverTheMachineWideOne) {
    for (const test::Row& r : test::ReadTable(TEST_SOURCE_DIR "/tables/layered_reads.txt")) {
        SCOPED_TRACE(r.at(0));
        Lay(machine, r.at(1));
        Lay(user, r.at(2));
        EXPECT_EQ(ReadIniString(ConfigFilePath, r.at(3), r.at(4)), r.at(5));
    }
}

TEST_F(InstalledSettings, AValueBecomesTheUsersOnlyWhenItDiffers) {
    for (const test::Row& r : test::ReadTable(TEST_SOURCE_DIR "/tables/layered_writes.txt")) {
        SCOPED_TRACE(r.at(0));
        Lay(machine, r.at(1));
        Lay(user, r.at(2));
        WriteIniString(ConfigFilePath, r.at(3), r.at(4), r.at(5));
        EXPECT_EQ(Bytes(user), r.at(6));
        EXPECT_EQ(Bytes(machine), r.at(1));
        EXPECT_EQ(ReadIniString(ConfigFilePath, r.at(3), r.at(4)), r.at(5));
    }
}

// The server dialog stores its five keys in one go: those equal to the administrator's stay his, the others
// become the user's, in one replacement of the user's file.
TEST_F(InstalledSettings, SeveralKeysAtOnce) {
    Lay(machine, "[ServerINFO]\r\nDynasetIP=0\r\nServerIP=http://10.0.0.5\r\nWebRoot=/House/\r\nDBName=House\r\n");
    Lay(user, "[ServerINFO]\r\nDBName=Test\r\n");
    std::string why;
    EXPECT_EQ(WriteIniValues(ConfigFilePath, "ServerINFO",
                             {{"DynasetIP", "0"}, {"ServerIP", "http://10.0.0.6"}, {"ServerID", "888"},
                              {"WebRoot", "/House/"}, {"DBName", "House"}},
                             why),
              IniWriteResult::Written)
        << why;
    EXPECT_EQ(Bytes(user), "[ServerINFO]\r\nServerIP=http://10.0.0.6\r\nServerID=888\r\n");
}

// An administrator's later change (written with lumaro-cli, as the package's documentation says) reaches every
// user who has not set that key, and only them.
TEST_F(InstalledSettings, AnAdministratorsLaterChangeReachesWhoKeptHis) {
    const auto administrator = [this](const std::string& value) {
        EXPECT_EQ(test::Run(test::CliProgram(), {"config", "set", machine, "ServerINFO", "ServerIP", value}).exitCode, 0);
    };
    administrator("http://10.0.0.5");
    WriteIniString(ConfigFilePath, "ServerINFO", "ServerIP", "http://10.0.0.5");  // the same: still his
    ConfigFilePath = otherUser;
    WriteIniString(ConfigFilePath, "ServerINFO", "ServerIP", "http://own");
    administrator("http://10.0.0.7");
    EXPECT_EQ(ReadIniString(ConfigFilePath, "ServerINFO", "ServerIP"), "http://own");
    ConfigFilePath = user;
    EXPECT_EQ(ReadIniString(ConfigFilePath, "ServerINFO", "ServerIP"), "http://10.0.0.7");
}

// lumaro-cli and every other caller that names a file reads and writes that one file alone.
TEST_F(InstalledSettings, OtherFilesAreSingleFiles) {
    Lay(machine, "[ServerINFO]\r\nServerIP=http://a\r\n");
    Lay(user, "nofile");
    const std::string other = dir.file("other.lic");
    EXPECT_EQ(ReadIniString(other, "ServerINFO", "ServerIP"), "");
    WriteIniString(other, "ServerINFO", "ServerIP", "http://a");
    EXPECT_EQ(Bytes(other), "[ServerINFO]\r\nServerIP=http://a\r\n");
    EXPECT_EQ(test::Run(test::CliProgram(), {"config", "get", user, "ServerINFO", "ServerIP"}).out, test::Printed("\n"));
}

}  // namespace
}  // namespace lumaro
