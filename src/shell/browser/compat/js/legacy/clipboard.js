// The clipboard as the old control gave it: a page writes it freely, and
// reads it only once the user said yes (the program asks, once per page
// and origin). Every way of today's to read it asks the same question.
function readClipboard() {
  var p = program();
  return p && typeof p.readClipboard === 'function' ? p.readClipboard() : null;
}

function patchClipboard() {
  var text = function (format) { return /^(text|url)$/i.test(String(format)); };
  var clipboard = {
    setData: function (format, data) {
      if (!text(format)) return false;
      var p = program();
      return !!(p && typeof p.writeClipboard === 'function' && p.writeClipboard(String(data)));
    },
    getData: function (format) { return text(format) ? readClipboard() : null; },
    clearData: function (format) { return this.setData(format || 'Text', ''); }
  };
  global('clipboardData', clipboard);

  // execCommand('paste') pastes where the page's focus is, once allowed.
  var execCommand = Document.prototype.execCommand;
  method(Document.prototype, 'execCommand', function (command) {
    if (String(command).toLowerCase() !== 'paste') return execCommand.apply(this, arguments);
    var pasted = readClipboard();
    return pasted !== null && execCommand.call(this, 'insertText', false, pasted);
  });
  if (window.Clipboard && navigator.clipboard) {
    var denied = function () { return new DOMException('Read permission denied.', 'NotAllowedError'); };
    method(Clipboard.prototype, 'readText', function () {
      var pasted = readClipboard();
      return pasted === null ? Promise.reject(denied()) : Promise.resolve(pasted);
    });
    method(Clipboard.prototype, 'read', function () {
      var pasted = readClipboard();
      if (pasted === null) return Promise.reject(denied());
      var blob = new Blob([pasted], {type: 'text/plain'});
      return Promise.resolve([new ClipboardItem({'text/plain': blob})]);
    });
  }
}
