#pragma once

#include "diagnostics/VantaError.h"

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <exception>
#include <functional>
#include <vector>

namespace vanta::diag {

// The last trapped error, as the error report shows it.
struct ErrorRecord {
    QString application;
    qint32 number = 0;
    QString explanation;
    QString origin; // innermost procedure on the stack at the trap
    QString trap;   // the procedure that reported the error ("" when not on the stack)
    QString stack;  // all entries bottom-up, each followed by its mark, joined with ","
    QDateTime time;
};

// Shows a trapped error. The error report dialog implements it; until one is
// installed the trace shows a plain message box with the number and
// explanation.
class ErrorReportView {
public:
    virtual ~ErrorReportView() = default;
    virtual void showReport(const ErrorRecord &record) = 0;
};

// Where the trace's own boxes go: the out-of-sync warning, the internal
// error box and, until an error report view is installed, the plain report
// of a trapped error. The program shows them through its prompt.
class TraceNotices {
public:
    struct Notice {
        QString text;
        QString title;
        bool critical = false; // a critical box rather than a warning
        bool beep = false;     // a beep before the box
    };
    virtual ~TraceNotices() = default;
    virtual void notify(const Notice &notice) = 0;
};

// Action codes of the trace's entry point.
enum TraceAction : qint16 {
    TrapError = 1,
    PushProc = 5,
    PopProc = 6,
    UnwindTo = 7,
    ListEntries = 9,
    ListMarks = 10
};

// The procedure trace: one instance for the whole program (the one global
// the design asks for). Keeps the stack of active procedures, checks that
// entries and exits pair up, records trapped errors and shows the report.
class Trace {
public:
    static Trace &instance();

    // The single entry point: code, error number, description, module, procedure.
    void QuorlAction(qint16 &code, qint32 &number, QString &description, QString &module, QString &procedure);

    // Convenience forms of the entry point.
    void enter(const QString &module, const QString &procedure);
    void exit(const QString &module, const QString &procedure);
    // The same for names that live as long as the program (string literals):
    // entering and leaving then copy no text at all.
    void enter(const char *module, const char *procedure);
    void exit(const char *module, const char *procedure);
    // Exit of a procedure left by an exception on its way to a trap: popped
    // like any exit, but remembered so the trap still reports it as the
    // origin and as part of the stack.
    void exitUnwinding(const char *module, const char *procedure);
    void trapError(qint32 number, const QString &description, const QString &module, const QString &procedure);

    bool trappingEnabled() const { return mTrapping; }
    void setTrappingEnabled(bool on) { mTrapping = on; }

    int depth() const { return mDepth; }
    QStringList entries() const; // 1..depth, bottom-up
    QStringList marks() const;
    void setMark(const QString &mark); // note on the top entry
    const QString &lastSyncMessage() const { return mMessage; }
    const ErrorRecord &lastError() const { return mLastError; }
    bool reportShowing() const { return mReportShowing; }

    // Where boxes and the report go; not owned. Without notices, warnings
    // are written to the log only.
    void setNotices(TraceNotices *notices) { mNotices = notices; }
    void setReportView(ErrorReportView *view) { mView = view; }
    void setApplicationTitle(const QString &title) { mAppTitle = title; }

    // Back to the state at program start (tests).
    void reset();

private:
    // One stack entry: the names as literals, or as text from QuorlAction.
    struct Entry {
        const char *module = nullptr;
        const char *procedure = nullptr;
        QString text;
        QString toString() const;
        bool operator==(const Entry &other) const;
    };
    static Entry entryOf(const QString &module, const QString &procedure);

    Trace() = default;
    void push(Entry entry);
    void pop(const Entry &entry);
    void unwind(const Entry &entry);
    void trap(qint32 number, const QString &description, const Entry &entry);
    void showReport();
    void internalError(qint32 number, const QString &description, const QString &internalProc,
                       qint32 appNumber, const QString &appDescription, const QString &appProc);

    bool mTrapping = false;
    std::vector<Entry> mEntries; // index 0 unused: positions are 1-based
    std::vector<QString> mMarks;
    int mDepth = 0;
    bool mPrepared = false;
    QString mMessage;
    std::vector<QString> mUnwound; // entries left by the exception in flight, innermost first
    ErrorRecord mLastError;
    bool mReportShowing = false;
    TraceNotices *mNotices = nullptr;
    ErrorReportView *mView = nullptr;
    QString mAppTitle;
};

// Pushes a procedure on the trace for its lifetime and pops it on every way
// out, after an error too.
class ProcGuard {
public:
    // The names must outlive the guard (string literals do).
    ProcGuard(const char *module, const char *procedure);
    ~ProcGuard();
    ProcGuard(const ProcGuard &) = delete;
    ProcGuard &operator=(const ProcGuard &) = delete;
    QString module() const { return QLatin1String(mModule); }
    QString procedure() const { return QLatin1String(mProcedure); }

private:
    const char *mModule;
    const char *mProcedure;
    int mUncaught;
};

// Reports the exception in flight as trapped by the given procedure. Called
// from a catch block only.
void trapCurrentException(const ProcGuard &guard);

// Runs one traced procedure. Once trapping is on, a failure inside is
// recorded, reported once and unwound, and the procedure returns `fallback`
// so that the caller carries on; while trapping is off failures propagate.
// Whether trapping is on is asked when a failure arrives, so a procedure
// that turns trapping on (start-up) traps its own failures too.
template <typename R, typename F>
R run(const char *module, const char *procedure, R fallback, F &&body)
{
    ProcGuard guard(module, procedure);
    try {
        return body();
    } catch (...) {
        if (!Trace::instance().trappingEnabled())
            throw;
        trapCurrentException(guard);
        return fallback;
    }
}

template <typename F>
void run(const char *module, const char *procedure, F &&body)
{
    ProcGuard guard(module, procedure);
    try {
        body();
    } catch (...) {
        if (!Trace::instance().trappingEnabled())
            throw;
        trapCurrentException(guard);
    }
}

} // namespace vanta::diag
