#pragma once

namespace lumaro {

// The browser speaks the program's language, Simplified Chinese: Qt WebEngine's
// own texts (the page's context menu, its dialogs) through their Chinese
// translation, and the engine's (form hints, error pages, navigator.language)
// through its Chinese locale. The engine reads its locale once, as it starts:
// this runs before the first browser profile is made.
void SpeakChineseInBrowser();

}  // namespace lumaro
