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
    void start(const platform::ToolCommand& command, platform::WindowState state) override {
        if (!failure.empty()) throw platform::PlatformFailure(failure, command.program);
        started.push_back(command);
        states.push_back(state);
    }

    std::vector<platform::ToolCommand> started;
    std::vector<platform::WindowState> states;
    std::string failure;
};

// Answers with the queued answers in turn, then with `otherwise`.
class ScriptedMessageBox final : public platform::MessageBox {
public:
    platform::Answer ask(const std::string& text, platform::ButtonSet buttons) override {
        asked.push_back(text);
        buttonSets.push_back(buttons);
        if (answers.empty()) return otherwise;
        const platform::Answer answer = answers.front();
        answers.pop_front();
        return answer;
    }

    std::deque<platform::Answer> answers;
    platform::Answer otherwise = platform::Answer::No;
    std::vector<std::string> asked;
    std::vector<platform::ButtonSet> buttonSets;
};

// Keeps the reported failures' descriptions.
class RecordingReport final : public platform::FailureReport {
public:
    void report(const platform::PlatformFailure& failure) override { reported.push_back(failure.what()); }
    std::vector<std::string> reported;
};
