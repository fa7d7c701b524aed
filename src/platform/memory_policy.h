// How the program's allocator treats memory a command has freed.
#pragma once

namespace tnq {

// Memory freed by one track of a command, or by one command, is kept for
// the next rather than given back to the system at once: the first write to
// each page the system gives costs far more than what a command does with
// the page. Called once at start-up, before the first piece is opened.
void KeepFreedMemoryForReuse();

} // namespace tnq
