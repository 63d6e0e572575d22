// The fonts shipped in the UI directory, registered for this process only.
#pragma once

// Registers (or removes) every font file; results are ignored, a missing font is no error.
void RegisterPrivateFonts(const wchar_t* uiDirectory);
void RemovePrivateFonts(const wchar_t* uiDirectory);
