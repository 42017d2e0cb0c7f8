#include "db/KeptData.h"

#include <optional>

namespace vanta::db {

namespace {

const QString kSpanKey = QStringLiteral("db::StampSpan");

// The open spans of a store and their reading of the stamp.
struct SpanState {
    int depth = 0;
    std::optional<ChangeStamp> stamp;
    bool notesAwaited = false; // the store's notes of changes asked for in this span
};

std::shared_ptr<SpanState> spanState(Store &store)
{
    return std::static_pointer_cast<SpanState>(store.attachment(kSpanKey));
}

} // namespace

StampSpan::StampSpan(Store &store) : mStore(store)
{
    std::shared_ptr<SpanState> state = spanState(store);
    if (!state) {
        state = std::make_shared<SpanState>();
        store.attach(kSpanKey, state);
    }
    ++state->depth;
}

StampSpan::~StampSpan()
{
    if (std::shared_ptr<SpanState> state = spanState(mStore); state && --state->depth == 0) {
        state->stamp.reset();
        state->notesAwaited = false;
    }
}

void StampSpan::readAgain(Store &store)
{
    if (std::shared_ptr<SpanState> state = spanState(store)) {
        state->stamp.reset();
        state->notesAwaited = false;
    }
}

ChangeStamp currentStamp(Store &store)
{
    std::shared_ptr<SpanState> state = spanState(store);
    if (!state || state->depth == 0)
        return store.database().connection().changeStamp();
    if (!state->stamp)
        state->stamp = store.database().connection().changeStamp();
    return *state->stamp;
}

ChangeStamp currentStamp(Store &store, const QStringList &tables)
{
    if (tables.isEmpty())
        return currentStamp(store);
    Connection &conn = store.database().connection();
    // The notes are asked for once per span, like the stamp.
    const std::shared_ptr<SpanState> state = spanState(store);
    const bool inSpan = state && state->depth > 0;
    if (!inSpan || !state->notesAwaited) {
        conn.awaitNotes();
        if (inSpan)
            state->notesAwaited = true;
    }
    if (const std::optional<ChangeStamp> stamp = conn.tablesStamp(tables))
        return *stamp;
    return currentStamp(store);
}

} // namespace vanta::db
