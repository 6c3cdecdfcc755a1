#pragma once

class QWidget;

namespace lumaro {

// The bars shown over the top of a browser view (the notice of what a page
// uses, the find bar) take room of their own: they stand one under the other
// in the order they were made, and the page moves down below them rather than
// being covered.
// Gives `bar`, a child of the view, `height` pixels at the top of its view (0
// while it is hidden) and places every such bar and the page anew.
void ReservePageRoom(QWidget* bar, int height);

}  // namespace lumaro
