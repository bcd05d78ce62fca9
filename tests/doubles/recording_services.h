#pragma once

#include "platform/dialogs.h"
#include "platform/platform_failure.h"
#include "platform/program_starter.h"

#include <deque>
#include <string>
#include <vector>

// Keeps every command it is asked to start instead of starting it; fails
// every start while `failure` is set.
class RecordingStarter final : public platform::ProgramStarter {
public:
    void start(const platform::ToolCommand& command) override {
        if (!failure.empty()) throw platform::PlatformFailure(failure, command.program);
        started.push_back(command);
    }

    std::vector<platform::ToolCommand> started;
    std::string failure;
};

// Answers questions with the queued answers in turn (true for Yes), then with
// `otherwise`; keeps what it was asked and what it was told.
class ScriptedDialogs final : public platform::Dialogs {
public:
    bool confirm(const std::string& text, const std::string& detail) override {
        asked.push_back(text);
        details.push_back(detail);
        if (answers.empty()) return otherwise;
        const bool answer = answers.front();
        answers.pop_front();
        return answer;
    }
    void report(const std::string& description, const std::string&) override { reported.push_back(description); }

    std::deque<bool> answers;
    bool otherwise = false;
    std::vector<std::string> asked, details, reported;
};
