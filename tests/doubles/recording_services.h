#pragma once

#include "platform/dialogs.h"
#include "platform/platform_failure.h"
#include "platform/program_starter.h"

#include <deque>
#include <memory>
#include <string>
#include <vector>

// Keeps every command it is asked to start instead of starting it; fails
// every start while `failure` is set.
class RecordingStarter final : public platform::ProgramStarter {
public:
    void start(const platform::ToolCommand& command, platform::Checkpoints& job) override {
        if (!failure.empty()) throw platform::PlatformFailure(failure, command.program);
        job.beforeActing();
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
    void report(const std::string& description, const std::string& subject) override {
        reported.push_back(description);
        subjects.push_back(subject);
    }

    std::deque<bool> answers;
    bool otherwise = false;
    std::vector<std::string> asked, details, reported, subjects;
};

// A service the test owns, lent to the program for as long as the test runs.
template <class Service>
std::shared_ptr<Service> lent(Service& service) {
    return std::shared_ptr<Service>(std::shared_ptr<Service>(), &service);
}
