#pragma once

#include "data/Prompter.h"

// The program's prompter: real, application-modal message and input boxes.
class QtPrompter final : public Prompter
{
public:
    BoxResult message(const MessageBoxRequest &request) override;
    std::optional<QString> input(const InputBoxRequest &request) override;
};
