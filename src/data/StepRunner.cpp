#include "data/StepRunner.h"

MessageBoxRequest errorBoxRequest(const DbError &error)
{
    MessageBoxRequest r;
    r.title = QStringLiteral("An Error Occured!");
    r.text = QStringLiteral("Error: %1 - %2\r\nFrom: %3.")
                 .arg(QString::number(error.number), error.description, error.source);
    r.icon = BoxIcon::Warning;
    r.buttons = BoxButtons::AbortRetryIgnore;
    r.defaultButton = 2;
    return r;
}

BoxResult ErrorBox(const DbError &error)
{
    return prompter().message(errorBoxRequest(error));
}

MessageBoxRequest loaderErrorBoxRequest(const DbError &error, const QString &tag, const QString &query)
{
    MessageBoxRequest r;
    r.title = QStringLiteral("Error!");
    r.text = QString::number(error.number) + QLatin1Char(' ') + error.description + QStringLiteral("\r\n") +
             tag + QStringLiteral("\r\n") + query;
    r.icon = BoxIcon::Error;
    r.buttons = BoxButtons::AbortRetryIgnore;
    r.defaultButton = 2;
    return r;
}

StepRunner::StepRunner() : m_boxMaker(errorBoxRequest) {}

StepRunner::StepRunner(BoxMaker boxMaker) : m_boxMaker(std::move(boxMaker)) {}

bool StepRunner::step(const Step &fn)
{
    if (m_aborted)
        return false;
    return settle(fn(), fn);
}

bool StepRunner::settle(StepResult result, const Step &fn)
{
    while (result) {
        const MessageBoxRequest box = m_boxMaker(*result);
        m_lastErrorText = box.text;
        ++m_boxes;
        switch (prompter().message(box)) {
        case BoxResult::Retry:
            result = m_beforeRetry ? m_beforeRetry() : StepResult();
            if (!result)
                result = fn();
            break;
        case BoxResult::Ignore: return true;
        default: m_aborted = true; return false;
        }
    }
    return true;
}

bool StepRunner::quiet(const Step &fn)
{
    return !fn();
}
