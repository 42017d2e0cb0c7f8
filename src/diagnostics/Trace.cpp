#include "diagnostics/Trace.h"

#include "diagnostics/ApplicationTitle.h"

#include <QDebug>
#include <cstring>

namespace vanta::diag {

namespace {
constexpr int kGrowBy = 8;
const QString kFramework = QStringLiteral("Quorl");

QString underlined(const QString &heading)
{
    return heading + QLatin1Char('\n') + QString(heading.size(), QLatin1Char('='));
}
} // namespace

QString Trace::Entry::toString() const
{
    if (module)
        return QLatin1String(module) + QLatin1Char('(') + QLatin1String(procedure) + QLatin1Char(')');
    return text;
}

bool Trace::Entry::operator==(const Entry &other) const
{
    if (module && other.module)
        return (module == other.module || std::strcmp(module, other.module) == 0)
               && (procedure == other.procedure || std::strcmp(procedure, other.procedure) == 0);
    return toString() == other.toString();
}

Trace::Entry Trace::entryOf(const QString &module, const QString &procedure)
{
    Entry e;
    e.text = module + QLatin1Char('(') + procedure + QLatin1Char(')');
    return e;
}

Trace &Trace::instance()
{
    static Trace trace;
    return trace;
}

void Trace::reset()
{
    mTrapping = false;
    mEntries.clear();
    mMarks.clear();
    mDepth = 0;
    mPrepared = false;
    mMessage.clear();
    mUnwound.clear();
    mLastError = ErrorRecord();
    mReportShowing = false;
    mNotices = nullptr;
    mView = nullptr;
}

void Trace::QuorlAction(qint16 &code, qint32 &number, QString &description, QString &module, QString &procedure)
{
    const Entry entry = entryOf(module, procedure);
    try {
        switch (code) {
        case PushProc: push(entry); break;
        case PopProc: pop(entry); break;
        case TrapError: trap(number, description, entry); break;
        case UnwindTo: unwind(entry); break;
        case ListEntries: description = entries().join(QLatin1Char(',')); break;
        case ListMarks: description = marks().join(QLatin1Char(',')); break;
        default: break;
        }
    } catch (const std::exception &e) {
        internalError(0, QString::fromUtf8(e.what()), QStringLiteral("QuorlAction"), number, description,
                      procedure.isEmpty() ? QString() : entry.toString());
    }
}

void Trace::enter(const QString &module, const QString &procedure)
{
    if (std::uncaught_exceptions() == 0)
        mUnwound.clear(); // an exception that was caught elsewhere left these
    push(entryOf(module, procedure));
}

void Trace::enter(const char *module, const char *procedure)
{
    if (std::uncaught_exceptions() == 0 && !mUnwound.empty())
        mUnwound.clear();
    Entry e;
    e.module = module;
    e.procedure = procedure;
    push(std::move(e));
}

void Trace::exit(const char *module, const char *procedure)
{
    Entry e;
    e.module = module;
    e.procedure = procedure;
    pop(e);
}

void Trace::exitUnwinding(const char *module, const char *procedure)
{
    Entry e;
    e.module = module;
    e.procedure = procedure;
    if (mDepth >= 1 && mEntries[size_t(mDepth)] == e)
        mUnwound.push_back(e.toString() + mMarks[size_t(mDepth)]);
    pop(e);
}

void Trace::exit(const QString &module, const QString &procedure) { pop(entryOf(module, procedure)); }

void Trace::trapError(qint32 number, const QString &description, const QString &module, const QString &procedure)
{
    qint16 code = TrapError;
    QString d = description, m = module, p = procedure;
    QuorlAction(code, number, d, m, p);
}

void Trace::push(Entry entry)
{
    if (!mPrepared) {
        mEntries.assign(kGrowBy + 1, Entry());
        mMarks.assign(kGrowBy + 1, QString());
        mDepth = 0;
        mPrepared = true;
    }
    ++mDepth;
    if (mDepth >= int(mEntries.size())) {
        mEntries.resize(mEntries.size() + kGrowBy);
        mMarks.resize(mMarks.size() + kGrowBy);
    }
    mEntries[size_t(mDepth)] = std::move(entry);
    if (!mMarks[size_t(mDepth)].isEmpty())
        mMarks[size_t(mDepth)].clear();
}

void Trace::pop(const Entry &entry)
{
    if (mDepth < 1) {
        mDepth = 0;
        return;
    }
    if (mEntries[size_t(mDepth)] == entry) {
        --mDepth;
        return;
    }
    mMessage = QStringLiteral("Quorl's procedure stack is out of sync.  Check the following procedures "
                              "for improperly paired PUSH_PROC and POP_PROC commands.")
               + QStringLiteral("\n\nLast Push:\n") + mEntries[size_t(mDepth)].toString()
               + QStringLiteral("\n\nThis Pop:\n") + entry.toString()
               + QStringLiteral("\n\nA re-sync will be attempted.");
    if (mNotices) {
        mNotices->notify({mMessage, QStringLiteral("- ") + kFramework + QStringLiteral(" Warning -"), false, true});
    } else {
        qWarning().noquote() << mMessage;
    }
    for (int i = mDepth; i >= 1; --i) {
        if (mEntries[size_t(i)] == entry) {
            mDepth = i - 1;
            return;
        }
    }
}

void Trace::unwind(const Entry &entry)
{
    for (int i = mDepth; i >= 1; --i) {
        if (mEntries[size_t(i)] == entry) {
            mDepth = i;
            return;
        }
    }
}

QStringList Trace::entries() const
{
    QStringList out;
    for (int i = 1; i <= mDepth; ++i)
        out << mEntries[size_t(i)].toString();
    return out;
}

QStringList Trace::marks() const
{
    QStringList out;
    for (int i = 1; i <= mDepth; ++i)
        out << mMarks[size_t(i)];
    return out;
}

void Trace::setMark(const QString &mark)
{
    if (mDepth >= 1)
        mMarks[size_t(mDepth)] = mark;
}

void Trace::trap(qint32 number, const QString &description, const Entry &entry)
{
    // The stack as it stood where the error arose: the live entries plus the
    // procedures the exception has already left.
    QStringList stack;
    int t = 0;
    for (int i = 1; i <= mDepth; ++i) {
        stack << mEntries[size_t(i)].toString() + mMarks[size_t(i)];
        if (mEntries[size_t(i)] == entry)
            t = i;
    }
    for (auto it = mUnwound.rbegin(); it != mUnwound.rend(); ++it)
        stack << *it;
    mUnwound.clear();
    ErrorRecord rec;
    rec.application = mAppTitle.isEmpty() ? applicationTitle() : mAppTitle;
    rec.number = number;
    rec.explanation = description.isEmpty() ? QStringLiteral("<none>") : description;
    if (!stack.isEmpty())
        rec.origin = stack.last();
    if (t > 0)
        rec.trap = mEntries[size_t(t)].toString() + mMarks[size_t(t)];
    rec.stack = stack.join(QLatin1Char(','));
    rec.time = QDateTime::currentDateTime();
    mLastError = rec;
    qWarning().noquote() << "Trapped error" << number << rec.explanation << "in" << rec.trap << "stack" << rec.stack;

    if (!mReportShowing)
        showReport();
    unwind(entry);
}

void Trace::showReport()
{
    mReportShowing = true;
    struct Reset {
        bool &flag;
        ~Reset() { flag = false; }
    } reset{mReportShowing};
    if (mView) {
        mView->showReport(mLastError);
    } else if (mNotices) {
        mNotices->notify({QStringLiteral("Error %1: %2").arg(mLastError.number).arg(mLastError.explanation),
                          mLastError.application, true, false});
    }
}

void Trace::internalError(qint32 number, const QString &description, const QString &internalProc,
                          qint32 appNumber, const QString &appDescription, const QString &appProc)
{
    QStringList lines;
    lines << underlined(kFramework) << QStringLiteral("Error: %1").arg(number)
          << QStringLiteral("Explanation: ") + description << QStringLiteral("Procedure: ") + internalProc
          << QString() << underlined(QStringLiteral("Application"));
    if (appNumber != 0 || !appDescription.isEmpty()) {
        lines << QStringLiteral("Error: %1").arg(appNumber) << QStringLiteral("Explanation: ") + appDescription;
    } else {
        lines << QStringLiteral("Error: N/A") << QStringLiteral("Explanation: N/A");
    }
    if (!appProc.isEmpty())
        lines << QStringLiteral("Procedure: ") + appProc;
    const QString text = lines.join(QLatin1Char('\n'));
    if (mNotices) {
        mNotices->notify({text, QStringLiteral("- ") + kFramework + QStringLiteral(" Internal Error -"), true, true});
    } else {
        qCritical().noquote() << text;
    }
}

// ------------------------------------------------------------------ guard

ProcGuard::ProcGuard(const char *module, const char *procedure)
    : mModule(module), mProcedure(procedure), mUncaught(std::uncaught_exceptions())
{
    Trace::instance().enter(mModule, mProcedure);
}

ProcGuard::~ProcGuard()
{
    if (std::uncaught_exceptions() > mUncaught)
        Trace::instance().exitUnwinding(mModule, mProcedure);
    else
        Trace::instance().exit(mModule, mProcedure);
}

void trapCurrentException(const ProcGuard &guard)
{
    qint32 number = 0;
    QString description;
    QString source;
    try {
        throw;
    } catch (const VantaError &e) {
        number = e.number();
        description = e.description();
        source = e.source();
    } catch (const std::exception &e) {
        number = 51; // internal error
        description = QString::fromUtf8(e.what());
        source = applicationTitle();
    } catch (...) {
        number = 51;
        description = QStringLiteral("Unknown failure");
        source = applicationTitle();
    }
    Trace::instance().trapError(number, description + QStringLiteral(" [Source=") + source + QLatin1Char(']'),
                                guard.module(), guard.procedure());
}

} // namespace vanta::diag
