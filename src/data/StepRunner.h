#pragma once

#include "data/DbError.h"
#include "data/Prompter.h"

#include <functional>

// The shared error box "An Error Occured!" with Abort, Retry and Ignore.
MessageBoxRequest errorBoxRequest(const DbError &error);
BoxResult ErrorBox(const DbError &error);
// The list loaders' variant: "Error!", the error icon, the loader's tag and
// query text.
MessageBoxRequest loaderErrorBoxRequest(const DbError &error, const QString &tag, const QString &query);

// Runs the ordinary steps of a guarded routine under the Abort/Retry/Ignore
// protocol. A failing step shows the box: Retry runs it again, Ignore goes on
// with the next step as if it had succeeded, Abort (or a box closed any other
// way) makes every later step a no-op, so the routine falls through to its
// exit steps (the destructors of its connection and record set).
class StepRunner
{
public:
    using BoxMaker = std::function<MessageBoxRequest(const DbError &)>;
    using Step = std::function<StepResult()>;

    StepRunner();
    explicit StepRunner(BoxMaker boxMaker);

    // Runs one step; false once the routine has been aborted.
    bool step(const Step &fn);
    // The same for a step run once per row of a long list: no function
    // object is made unless the step fails.
    template <class Fn> bool stepEach(Fn &&fn)
    {
        if (m_aborted)
            return false;
        StepResult result = fn();
        return !result || settle(std::move(result), fn);
    }
    // Runs before every retried step: reopens what the step needs (a fresh
    // connection), so that Retry succeeds once the cause of the error is
    // gone. A failure here is shown as the step's own.
    void setBeforeRetry(Step fn) { m_beforeRetry = std::move(fn); }
    // Runs a step whose failure is not reported (the exit steps, the
    // error-ignoring routines): false when it failed.
    static bool quiet(const Step &fn);

    bool aborted() const { return m_aborted; }
    // The text of the last box shown; empty when none was.
    const QString &lastErrorText() const { return m_lastErrorText; }
    int boxesShown() const { return m_boxes; }

private:
    // The box for a failed step, then the retries it asks for.
    bool settle(StepResult result, const Step &fn);

    BoxMaker m_boxMaker;
    Step m_beforeRetry;
    QString m_lastErrorText;
    int m_boxes = 0;
    bool m_aborted = false;
};
