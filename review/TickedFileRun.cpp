#include "review/TickedFileRun.h"

void TickedFileRun::Begin(SearchView& view) {
    operation_.Begin(view);
    identities_ = FileIdentities();
    names_ = DirectNames();
    gone_.clear();
}
