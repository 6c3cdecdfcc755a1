// window.createPopup: a borderless box over the page that closes when the
// user clicks elsewhere.
function patchPopup() {
  global('createPopup', function () {
    var doc = window.document;
    var st = docState(doc);
    if (!st.screenOffset) {
      // Where the page lies on the screen, for popups placed in screen coordinates.
      var offset = st.screenOffset = {x: window.screenX, y: window.screenY};
      var track = function (e) {
        offset.x = e.screenX - e.clientX;
        offset.y = e.screenY - e.clientY;
      };
      doc.addEventListener('mousemove', track, true);
      doc.addEventListener('mousedown', track, true);
    }
    var frame = doc.createElement('iframe');
    frame.setAttribute('frameborder', '0');
    frame.style.cssText = 'position:fixed;display:none;border:0;margin:0;padding:0;z-index:2147483647;' +
                          'background:#fff';
    (doc.body || doc.documentElement).appendChild(frame);
    var inner = frame.contentDocument;
    inner.open();
    inner.write('<!DOCTYPE html><html><head></head><body style="margin:0;overflow:hidden"></body></html>');
    inner.close();
    var popup = {document: inner, isOpen: false};
    var close = function (e) {
      if (e && e.target === frame) return;
      popup.hide();
    };
    popup.show = function (x, y, width, height, anchor) {
      var left, top;
      if (anchor && anchor.getBoundingClientRect) {
        var box = anchor.getBoundingClientRect();
        left = box.left + Number(x);
        top = box.top + Number(y);
      } else {
        left = Number(x) - st.screenOffset.x;
        top = Number(y) - st.screenOffset.y;
      }
      width = Number(width) || 0;
      height = Number(height) || 0;
      left = Math.max(0, Math.min(left, window.innerWidth - width));
      top = Math.max(0, Math.min(top, window.innerHeight - height));
      frame.style.left = left + 'px';
      frame.style.top = top + 'px';
      frame.style.width = width + 'px';
      frame.style.height = height + 'px';
      frame.style.display = 'block';
      if (!popup.isOpen) {
        popup.isOpen = true;
        setTimeout(function () { if (popup.isOpen) doc.addEventListener('mousedown', close, true); }, 0);
      }
    };
    popup.hide = function () {
      frame.style.display = 'none';
      popup.isOpen = false;
      doc.removeEventListener('mousedown', close, true);
    };
    return popup;
  });
}
