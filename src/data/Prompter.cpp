#include "data/Prompter.h"

namespace {

class SilentPrompter final : public Prompter
{
public:
    BoxResult message(const MessageBoxRequest &) override { return BoxResult::Cancel; }
    std::optional<QString> input(const InputBoxRequest &) override { return std::nullopt; }
};

SilentPrompter g_silent;
Prompter *g_prompter = nullptr;

} // namespace

Prompter &prompter()
{
    return g_prompter ? *g_prompter : g_silent;
}

void setPrompter(Prompter *p)
{
    g_prompter = p;
}

BoxResult showMessage(const QString &title, const QString &text, BoxIcon icon, BoxButtons buttons,
                      int defaultButton)
{
    return prompter().message({title, text, icon, buttons, defaultButton});
}
