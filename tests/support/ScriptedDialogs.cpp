#include "ScriptedDialogs.h"

#include <gtest/gtest.h>

namespace trevalco::testing {

ScriptedDialogs::~ScriptedDialogs() {
    EXPECT_TRUE(answers_.empty()) << answers_.size() << " message answer(s) never used";
    EXPECT_TRUE(files_.empty()) << files_.size() << " file answer(s) never used";
    EXPECT_TRUE(saves_.empty()) << saves_.size() << " save answer(s) never used";
}

dialogs::Answer ScriptedDialogs::Show(const dialogs::Message& message) {
    messages_.push_back(message);
    if (answers_.empty()) {
        ADD_FAILURE() << "unexpected message box: \"" << message.text << "\" titled \"" << message.title
                      << "\"";
        return dialogs::Answer::Cancel;
    }
    const dialogs::Answer answer = answers_.front();
    answers_.pop_front();
    return answer;
}

std::optional<std::string> ScriptedDialogs::ChooseFileToOpen(const dialogs::OpenFileRequest& request) {
    fileRequests_.push_back(request);
    if (files_.empty()) {
        ADD_FAILURE() << "unexpected file dialog";
        return std::nullopt;
    }
    auto answer = files_.front();
    files_.pop_front();
    return answer;
}

std::optional<std::string> ScriptedDialogs::ChooseFileToSave(const dialogs::SaveFileRequest& request) {
    saveRequests_.push_back(request);
    if (saves_.empty()) {
        ADD_FAILURE() << "unexpected save dialog suggesting \"" << request.suggestedPath << "\"";
        return std::nullopt;
    }
    auto answer = saves_.front();
    saves_.pop_front();
    return answer;
}

}  // namespace trevalco::testing
