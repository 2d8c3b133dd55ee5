// The history's benchmark, apart from the link's.
#pragma once

// Records `count` entries (reads and writes) through the recorder, timing each write's two
// entries on the calling thread; then the file's size and the History window's opening on it.
int benchHistory(int count);
