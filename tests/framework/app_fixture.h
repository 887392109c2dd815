// An application of the framework on the headless backend, with its
// settings in a temporary folder, and a document that records what the
// framework asks of it.
#pragma once

#include "framework/document/action.h"
#include "framework/app/app.h"
#include "framework/document/doc.h"
#include "framework/frame/frame.h"
#include "platform/headless/headless_backend.h"

#include <gtest/gtest.h>
#include <glib.h>

#include <cstdlib>
#include <stdexcept>
#include <string>
#include <vector>

namespace kortest {

// A temporary folder, removed with everything in it.
class TempFolder {
public:
    TempFolder() {
        gchar* p = g_dir_make_tmp("kor-app-XXXXXX", nullptr);
        path_ = p ? p : "";
        g_free(p);
    }
    ~TempFolder() {
        std::string cmd = "rm -rf '" + path_ + "'";
        if (path_.empty() || std::system(cmd.c_str()) != 0) ADD_FAILURE() << "cannot remove " << path_;
    }
    const std::string& Path() const { return path_; }
    std::string File(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

// Settings go to the temporary folder while it lives.
class ConfigHome : public TempFolder {
public:
    ConfigHome() { g_setenv("XDG_CONFIG_HOME", Path().c_str(), TRUE); }
    ~ConfigHome() { g_unsetenv("XDG_CONFIG_HOME"); }
};

class MemoryDoc : public Kor::Doc {
public:
    std::vector<std::string> log;
    std::string failOpen, failSave;  // messages to throw

protected:
    void DoOpen(const std::string& path, int filterIndex) override {
        if (!failOpen.empty()) throw std::runtime_error(failOpen);
        log.push_back("open " + path + " " + std::to_string(filterIndex));
    }
    void DoSave(const std::string& path) override {
        if (!failSave.empty()) throw std::runtime_error(failSave);
        log.push_back("save " + path);
    }
};

// An action that adds `step` to a counter.
class AddAction : public Kor::Action {
public:
    AddAction(int& value, int step, std::string name = "Add") : value_(value), step_(step), name_(std::move(name)) {}
    bool Perform() override {
        value_ += step_;
        return step_ != 0;
    }
    void Undo() override { value_ -= step_; }
    std::string GetName() const override { return name_; }

private:
    int& value_;
    int step_;
    std::string name_;
};

using TestApp = Kor::App<MemoryDoc, Kor::Frame>;

class AppTest : public ::testing::Test {
protected:
    ConfigHome config;
    TestApp app{plat::BackendKind::Headless};
    plat::headless::Driver& drv = plat::headless::Driver::Get();
    MemoryDoc& doc = app.GetDoc();

    // The framework's main frame (from an empty resource), 800 by 600.
    void MakeFrame() {
        ASSERT_TRUE(app.InitApplication());
        drv.Resize(app.GetFrame(), plat::Size(800, 600));
        drv.Flush();
    }
    std::string LastMessage() const {
        return drv.MessageBoxes().empty() ? std::string() : drv.MessageBoxes().back().text;
    }
};

}  // namespace kortest
