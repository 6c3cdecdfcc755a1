// What pages of the agency's server ask of the program itself: dialogs,
// printing, the clipboard, notices (window.__lumaroIE), and the identity of
// the browser they were written for. LUMARO is the program's configuration
// for this page: {page, token, origins, agent, dialog}. BRIDGE is what the
// layer's own scripts use of it (sharing.js, dialogs.js); undefined where
// the layer already runs in this window.
var BRIDGE = (function () {
  'use strict';
  if (Object.prototype.hasOwnProperty.call(window, '__lumaroIE')) return undefined;

  // The browser's own request functions, taken before a page can replace them
  // (pages of that time often define an XMLHttpRequest of their own).
  var Request = XMLHttpRequest;
  var open = Request.prototype.open, send = Request.prototype.send;
  var status = Object.getOwnPropertyDescriptor(Request.prototype, 'status').get;
  var responseText = Object.getOwnPropertyDescriptor(Request.prototype, 'responseText').get;

  // A synchronous request the program answers: the page waits, as it waited
  // for the old browser's dialogs. The token tells the program it is this
  // page's layer asking. Null when the program refused or did not answer.
  function call(what, params) {
    var query = 'page=' + LUMARO.page + '&token=' + LUMARO.token;
    for (var key in params) query += '&' + key + '=' + encodeURIComponent(params[key]);
    var request = new Request();
    open.call(request, 'GET', 'lumaro-ie://program/' + what + '?' + query, false);
    try {
      send.call(request, null);
    } catch (e) {
      return null;
    }
    return status.call(request) === 200 ? responseText.call(request) : null;
  }
  // The error the old control raised where its security settings said no.
  function accessDenied() {
    var error = new Error('拒绝访问。');
    error.number = -2147024891;
    error.description = error.message;
    return error;
  }

  var exports = {call: call, accessDenied: accessDenied, dialogResult: null, argumentsOf: null};
  Object.defineProperty(window, '__lumaroIE', {value: Object.freeze({
    notice: function (feature) { call('notice', {feature: feature}); },
    print: function (kind) { call('print', {kind: kind}); },
    // The clipboard's text once the user allowed this page to read it, else null.
    readClipboard: function () { return call('clipboard', {op: 'read'}); },
    writeClipboard: function (text) { return call('clipboard', {op: 'write', text: String(text)}) !== null; },
    // The page's markup as its server sent it, or null.
    pageSource: function (url, charset) { return call('source', {url: url, charset: charset}); },
    // For VBScript (js/vbscript): its interpreter's code, and its MsgBox and
    // InputBox in the program's boxes (the answer's vb constant; the text, or null when cancelled).
    vbscript: function () { return call('vbscript', {}); },
    msgBox: function (text, buttons, title) { return call('msgbox', {text: text, buttons: buttons, title: title}); },
    inputBox: function (prompt, title, proposal) {
      var answer = call('inputbox', {text: prompt, title: title, value: proposal});
      return answer === null || answer.charAt(0) !== '1' ? null : answer.slice(1);
    },
    // What a dialog's page gives its caller when the user closes it (its returnValue), and the
    // arguments of a modeless dialog this page opened, for its later pages (dialogs.js).
    dialogResult: function () { return exports.dialogResult ? exports.dialogResult() : null; },
    dialogArgumentsOf: function (dialog) { return exports.argumentsOf ? exports.argumentsOf(dialog) : undefined; }
  })});

  // The browser the pages were written for, as servers and scripts asked.
  var agent = LUMARO.agent;
  var identity = {
    userAgent: agent,
    appName: 'Microsoft Internet Explorer',
    appVersion: agent.replace(/^Mozilla\//, ''),
    platform: 'Win32',
    browserLanguage: 'zh-cn',
    userLanguage: 'zh-cn',
    systemLanguage: 'zh-cn',
    cpuClass: 'x86',
    appMinorVersion: '0'
  };
  Object.keys(identity).forEach(function (name) {
    Object.defineProperty(navigator, name, {get: function () { return identity[name]; }, configurable: true});
  });
  return exports;
})();
