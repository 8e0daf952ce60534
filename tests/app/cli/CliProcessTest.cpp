// kvr-decrypt.exe as a user runs it: started as a process with its output captured, over
// archives and carriers made by the test writers. Checks what only the process shows: the exit
// codes 0, 1 and 2, PNG carriers (GDI+ started by the program), a standard input that is no
// console, and the "Keys" folder beside the program as the default key folder.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "tests/support/ArchiveWriter.h"
#include "tests/support/CarrierWriter.h"
#include "tests/support/ScratchFolder.h"

namespace {

using kvrtest::ArchiveSpec;
using kvrtest::Bytes;
using kvrtest::BytesOf;

// The build gives a Linux path; Wine sees the Linux root as drive Z:.
std::string ProgramPath() {
    std::string path = KVR_DECRYPT_EXE;
    if (!path.empty() && path[0] == '/') {
        for (char& c : path)
            c = c == '/' ? '\\' : c;
        path = "Z:" + path;
    }
    return path;
}

struct Outcome {
    DWORD exitCode = 0xFFFFFFFF;
    std::string output;  // stdout and stderr together
};

// Runs program with the command-line tail args; stdin is the null device, stdout and
// stderr go to one file that is read back afterwards.
Outcome RunProgram(const std::string& program, const std::string& args, const kvrtest::ScratchFolder& scratch) {
    Outcome outcome;
    const std::string logPath = scratch.PathOf("run.log");
    SECURITY_ATTRIBUTES inherit = {sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    HANDLE log = CreateFileA(logPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                             CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    HANDLE input = CreateFileA("NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
    if (log == INVALID_HANDLE_VALUE || input == INVALID_HANDLE_VALUE)
        return outcome;
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = input;
    startup.hStdOutput = log;
    startup.hStdError = log;
    PROCESS_INFORMATION process = {};
    std::string commandLine = "\"" + program + "\" " + args;
    const BOOL started = CreateProcessA(program.c_str(), &commandLine[0], nullptr, nullptr, TRUE, CREATE_NO_WINDOW,
                                        nullptr, nullptr, &startup, &process);
    CloseHandle(input);
    CloseHandle(log);
    if (!started)
        return outcome;
    WaitForSingleObject(process.hProcess, 120000);
    GetExitCodeProcess(process.hProcess, &outcome.exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    const Bytes text = kvrtest::ReadFileBytes(logPath);
    outcome.output.assign(text.begin(), text.end());
    return outcome;
}

std::string Quoted(const std::string& text) {
    return "\"" + text + "\"";
}

bool Exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

ArchiveSpec Spec(const std::string& keyName, bool compressed) {
    ArchiveSpec spec;
    spec.keyName = keyName;
    spec.key = keyName.empty() ? BytesOf("KVRK") : BytesOf("process key");
    spec.compressed = compressed;
    spec.entries = {{"hello.txt", BytesOf("hello, world\r\n"), false}, {"folder\\", {}, true}};
    return spec;
}

class CliProcess : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(scratch_.IsValid());
        ASSERT_TRUE(CreateDirectoryA(scratch_.PathOf("keys").c_str(), nullptr));
        ASSERT_TRUE(kvrtest::WriteFileBytes(scratch_.PathOf("keys\\p.key"), BytesOf("process key")));
    }

    std::string Write(const std::string& name, const Bytes& bytes) {
        const std::string path = scratch_.PathOf(name);
        EXPECT_TRUE(kvrtest::WriteFileBytes(path, bytes));
        return path;
    }

    Outcome Run(const std::string& args) { return RunProgram(ProgramPath(), args, scratch_); }

    kvrtest::ScratchFolder scratch_;
};

TEST_F(CliProcess, UsageErrorExitsWithTwo) {
    const Outcome outcome = Run("--frobnicate x.enc");
    EXPECT_EQ(2u, outcome.exitCode);
    EXPECT_NE(std::string::npos, outcome.output.find("usage: kvr-decrypt")) << outcome.output;
}

TEST_F(CliProcess, ArchivesAndPngCarriersAreDecryptedWithExitZero) {
    const Bytes raw = kvrtest::BuildRawArchive(Spec("p.key", true));
    kvrtest::BitmapCarrierSpec picture;
    picture.width = 32;
    const std::string archive = Write("a.enc", raw);
    const std::string png = Write("d.png", kvrtest::BuildPngCarrier(raw, picture));  // needs GDI+ started
    const Outcome outcome =
        Run("--keys " + Quoted(scratch_.PathOf("keys")) + " " + Quoted(archive) + " " + Quoted(png));
    EXPECT_EQ(0u, outcome.exitCode) << outcome.output;
    for (const char* title : {"a", "d"}) {
        EXPECT_EQ(BytesOf("hello, world\r\n"),
                  kvrtest::ReadFileBytes(scratch_.PathOf(std::string(title) + "\\hello.txt")))
            << title;
        EXPECT_TRUE(Exists(scratch_.PathOf(std::string(title) + "\\folder"))) << title;
    }
    EXPECT_NE(std::string::npos, outcome.output.find("100% writing")) << outcome.output;
}

TEST_F(CliProcess, FailuresExitWithOneAndAnExistingFolderIsRefusedWithoutAConsole) {
    const std::string good = Write("good.enc", kvrtest::BuildRawArchive(Spec("p.key", false)));
    const std::string bad = Write("bad.enc", kvrtest::BuildRawArchive(Spec("other.key", false)));
    const std::string existing = Write("e.enc", kvrtest::BuildRawArchive(Spec("p.key", false)));
    ASSERT_TRUE(CreateDirectoryA(scratch_.PathOf("out").c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryA(scratch_.PathOf("out\\e").c_str(), nullptr));
    const Outcome outcome =
        Run("--quiet --out " + Quoted(scratch_.PathOf("out")) + " --keys " + Quoted(scratch_.PathOf("keys")) + " " +
            Quoted(bad) + " " + Quoted(existing) + " " + Quoted(good));
    EXPECT_EQ(1u, outcome.exitCode) << outcome.output;
    EXPECT_NE(std::string::npos, outcome.output.find("kvr-decrypt: " + bad + ": Key not found :")) << outcome.output;
    // Standard input is the null device: no question, a refusal.
    EXPECT_NE(std::string::npos, outcome.output.find("already exists")) << outcome.output;
    EXPECT_EQ(std::string::npos, outcome.output.find("[#")) << "--quiet shows no bar: " << outcome.output;
    EXPECT_TRUE(Exists(scratch_.PathOf("out\\good\\hello.txt")));
    EXPECT_FALSE(Exists(scratch_.PathOf("out\\bad\\hello.txt")));
    EXPECT_FALSE(Exists(scratch_.PathOf("out\\e\\hello.txt")));
}

TEST_F(CliProcess, KeysBesideTheProgramAreTheDefault) {
    // A copy of the program with a Keys folder of its own, and an archive whose key is there only.
    ASSERT_TRUE(CreateDirectoryA(scratch_.PathOf("bin").c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryA(scratch_.PathOf("bin\\Keys").c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryA(scratch_.PathOf("bin\\Keys\\team").c_str(), nullptr));
    ASSERT_TRUE(kvrtest::WriteFileBytes(scratch_.PathOf("bin\\Keys\\team\\t.key"), BytesOf("process key")));
    const std::string program = scratch_.PathOf("bin\\kvr-decrypt.exe");
    ASSERT_TRUE(CopyFileA(ProgramPath().c_str(), program.c_str(), FALSE));
    const std::string archive = Write("k.enc", kvrtest::BuildRawArchive(Spec("team\\t.key", true)));
    const std::string plain = Write("default.enc", kvrtest::BuildRawArchive(Spec("", true)));
    const Outcome outcome = RunProgram(program, Quoted(archive) + " " + Quoted(plain), scratch_);
    EXPECT_EQ(0u, outcome.exitCode) << outcome.output;
    EXPECT_TRUE(Exists(scratch_.PathOf("k\\hello.txt")));
    EXPECT_TRUE(Exists(scratch_.PathOf("default\\hello.txt")));
}

}  // namespace
