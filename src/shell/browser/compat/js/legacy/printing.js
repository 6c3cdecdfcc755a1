// Printing through the WebBrowser control (ExecWB) and ScriptX.

var WEBBROWSER = /8856F961-340A-11D0-A96B-00C04FD705A2/i;
var SCRIPTX = /1663ED61-23EB-11D2-B92F-008048FDD814/i;
var CONTROLS = {
  'D27CDB6E-AE6D-11CF-96B8-444553540000': 'ShockwaveFlash.ShockwaveFlash',
  '6BF52A52-394A-11D3-B153-00C04F79FAA6': 'WMPlayer.OCX',
  '22D6F312-B0F6-11D0-94AB-0080C74C7E95': 'MediaPlayer.MediaPlayer',
  '2105C259-1E0C-4534-8141-A753534CB4CA': 'Lodop',
  'CFCDAA03-8BE4-11CF-B84B-0020AFBBCCFA': 'RealPlayer'
};
function classId(el) {
  return (el.getAttribute('classid') || '').replace(/^clsid:/i, '').replace(/[{}]/g, '').trim();
}
function printPage(kind) {
  var p = program();
  if (p && typeof p.print === 'function') p.print(kind);
  else if (kind === 'print') window.print();
}

function patchPrinting() {
  // The WebBrowser control's ExecWB(command, option): print, preview, page setup.
  method(HTMLObjectElement.prototype, 'ExecWB', function (command) {
    if (!WEBBROWSER.test(classId(this))) throw unsupported();
    var doc = this.ownerDocument;
    switch (Number(command)) {
      case 6: printPage('print'); break;
      case 7: printPage('preview'); break;
      case 8: printPage('setup'); break;
      case 12: doc.execCommand('copy'); break;
      case 17: doc.execCommand('selectAll'); break;
      case 18: doc.getSelection().removeAllRanges(); break;
      case 22: doc.defaultView.location.reload(); break;
      case 45: doc.defaultView.close(); break;
      default: break;
    }
  });
  // The ScriptX control's factory.printing.
  var printings = new WeakMap();
  property(HTMLObjectElement.prototype, 'printing', function () {
    if (!SCRIPTX.test(classId(this))) return undefined;
    var found = printings.get(this);
    if (found) return found;
    found = {header: '', footer: '', portrait: true, leftMargin: 0.75, topMargin: 0.75, rightMargin: 0.75,
             bottomMargin: 0.75, copies: 1, printer: '', paperSize: '', printBackground: false};
    found.Print = function () { printPage('print'); return true; };
    found.Preview = function () { printPage('preview'); };
    found.PageSetup = function () { printPage('setup'); return true; };
    found.PrintSetup = found.PageSetup;
    found.SetMarginMeasure = function () {};
    found.IsTemplateSupported = function () { return false; };
    found.WaitForSpoolingComplete = function () { return true; };
    printings.set(this, found);
    return found;
  });
}
