// A <button> without a type was a push button in the old control, as in IE 7:
// toolbars made of them sit inside the page's form and only run their
// onclick. Today it submits the form, and the page reloads under what the
// button just did (a dialog's result included). Such a button submits nothing here.

function patchButtons() {
  window.addEventListener('submit', function (e) {
    var button = e.submitter;
    if (button && button.localName === 'button' && !button.hasAttribute('type')) {
      e.preventDefault();
      e.stopImmediatePropagation();  // the form's onsubmit never ran either
    }
  }, true);
}
