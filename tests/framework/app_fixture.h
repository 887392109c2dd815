// An application of the framework on the headless backend, with its
// settings in a temporary folder, and a document that records what the
// framework asks of it.
#pragma once

#include "framework/app/app.h"
#include "framework/document/action.h"
#include "framework/document/doc.h"
#include "framework/frame/frame.h"
#include "platform/headless/headless_backend.h"
#include "tests/platform/temp_folder.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace kortest {

using plattest::ConfigHome;
using plattest::TempFolder;

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
