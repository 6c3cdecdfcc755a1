// Documents a page makes by script are of the page's origin but get no script
// of the program's: frames without an address (in the markup, by DOM calls,
// by innerHTML or document.write), window.open("") windows, createPopup's
// document. The old control gave them its ways at once, and pages use them on
// their next statement, so the layer puts itself there synchronously: when
// such a frame fires its first load (which happens during its insertion),
// when a page reaches a frame's window or document, and when window.open
// returns.

// This script, as the program put it together, and its configuration.
var LAYER_SOURCE = Function.prototype.toString.call(LumaroLayer);

function layerInto(win, config) {
  if (!win || win === window) return;
  try {
    // A window of another origin throws here, and is left alone.
    if (hasOwn.call(win, '__lumaroIE') || !win.document) return;
    win.eval('(' + LAYER_SOURCE + ')(' + JSON.stringify(config || LUMARO) + ');');
  } catch (e) { /* another origin, or a window already gone */ }
}

function patchFrames() {
  [HTMLIFrameElement.prototype, HTMLFrameElement.prototype, HTMLObjectElement.prototype].forEach(function (proto) {
    var win = nativeDescriptor(proto, 'contentWindow').get;
    var doc = nativeDescriptor(proto, 'contentDocument').get;
    if (win) {
      Object.defineProperty(proto, 'contentWindow', {configurable: true, enumerable: true, get: function () {
        var w = win.call(this);
        layerInto(w);
        return w;
      }});
    }
    if (doc && win) {
      Object.defineProperty(proto, 'contentDocument', {configurable: true, enumerable: true, get: function () {
        layerInto(win.call(this));
        return doc.call(this);
      }});
    }
  });

  // A window the page opens to write into is a window of its own, not a dialog's frame.
  var open = window.open;
  method(window, 'open', function () {
    var w = open.apply(this, arguments);
    var own = {};
    for (var key in LUMARO) if (key !== 'dialog') own[key] = LUMARO[key];
    layerInto(w, own);
    return w;
  });

  // document.open() starts the document anew (the window stays): what it is
  // written is read as the parser gives it, as at the start.
  var reopen = Document.prototype.open;
  method(Document.prototype, 'open', function () {
    var result = reopen.apply(this, arguments);
    if (result === this) {
      var st = docState(this);
      st.ready = false;
      st.modeChecked = false;
      st.colourSeen = null;
      st.tablesDone = null;
      setUpDocument(this);
    }
    return result;
  });
}

// A frame without an address has its document as soon as it is in the page,
// and tells so with a load event before the insertion returns.
function watchFrames(doc) {
  doc.addEventListener('load', function (e) {
    var el = e.target;
    if (el && (el.localName === 'iframe' || el.localName === 'frame')) layerInto(el.contentWindow);
  }, true);
}
