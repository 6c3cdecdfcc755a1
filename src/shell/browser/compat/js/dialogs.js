// showModalDialog and showModelessDialog of the old control, and what a
// dialog's own page has: dialogArguments, dialogWidth and the like, close().
//
// A modal dialog is a page of its own. Its caller waits for it in
// showModalDialog, as it did, and meanwhile does what the dialog does with
// the caller's objects (sharing.js), until the program says it closed.
// A modeless dialog is a window the caller opens itself: the two reach each
// other's documents as any two windows of one site do.
(function (bridge, sharing) {
  'use strict';
  if (!bridge) return;
  var call = bridge.call;
  var apply = Reflect.apply;
  var openWindow = window.open;  // the browser's, before a page or the layer changes it
  var closeWindow = window.close;

  function parse(text) {
    try {
      return JSON.parse(text);
    } catch (e) {
      return null;
    }
  }
  function addressOf(url) { return new URL(String(url), document.baseURI).href; }
  // The program said no. A web page only: a local file or a script of the
  // caller's is refused, as the old control refused it.
  function refused(address) {
    if (!/^https?:/i.test(address)) throw bridge.accessDenied();
    return undefined;
  }

  window.showModalDialog = function (url, args, features) {
    var address = addressOf(url);
    var served = new sharing.Served(args);
    var answer = call('dialog', {modal: 1, url: address, features: features || ''});
    if (answer === null) return refused(address);
    for (;;) {
      var event = parse(answer);
      if (!event || !event.ask) return served.result(event && event.closed);
      answer = sharing.send('serve', {dialog: event.dialog, value: served.answer(event.ask)});
      if (answer === null) return undefined;  // the program no longer knows the dialog
    }
  };

  // The dialog's window, which has the caller's arguments as dialogArguments;
  // undefined for a page of another site, which gets a dialog of its own.
  var opened = new WeakMap();  // modeless dialogs of this page: their arguments
  var tools = [];
  bridge.argumentsOf = function (dialog) { return opened.get(dialog); };
  // They close when the page that opened them goes, as they did.
  window.addEventListener('pagehide', function () {
    tools.forEach(function (tool) {
      try {
        apply(closeWindow, tool, []);
      } catch (e) {
        // closed already
      }
    });
  });
  window.showModelessDialog = function (url, args, features) {
    var address = addressOf(url);
    var answer = call('dialog', {modal: 0, url: address, features: features || ''});
    if (answer === null) return refused(address);
    if (answer !== 'window') return undefined;
    // The program makes the next window this page opens the dialog. Its page
    // keeps this first Window object, as a window opened for a page of the
    // opener's site does, and with it what is set on it now.
    var dialog = apply(openWindow, window, [address, '_blank']);
    if (!dialog) {
      call('nowindow', {});
      return undefined;
    }
    dialog.dialogArguments = args;
    opened.set(dialog, args);
    tools.push(dialog);
    return dialog;
  };

  var dialog = LUMARO.dialog;
  if (!dialog) return;

  // A modal dialog asks its caller; the answer, encoded. It throws once the caller no longer waits.
  function ask(request) {
    var text = JSON.stringify(request);
    if (text.length > sharing.MOST) throw sharing.tooLarge();
    var answer = sharing.send('ask', {dialog: dialog.id, request: text});
    var value = answer === null ? null : parse(answer);
    if (!value || typeof value !== 'object')
      throw sharing.failure('打开此对话框的网页已不在等待它，不能再使用那个网页的对象。', 'ReferenceError');
    return value;
  }

  var remote = null;
  if (window === window.top) {
    if (dialog.live && !Object.prototype.hasOwnProperty.call(window, 'dialogArguments')) {
      // A later page of a modeless dialog: the arguments its caller keeps for the window.
      var caller = window.opener;
      Object.defineProperty(window, 'dialogArguments', {configurable: true, get: function () {
        try {
          return caller.__lumaroIE.dialogArgumentsOf(window);
        } catch (e) {
          return undefined;  // the caller is gone, or of another site
        }
      }});
    } else if (!dialog.live) {
      // What the caller passed, asked for once; a page of another site than
      // the caller's gets nothing of it, as the old control refused it.
      var root;
      Object.defineProperty(window, 'dialogArguments', {configurable: true, get: function () {
        if (!dialog.shared || location.origin !== dialog.origin) return undefined;
        if (!remote) {
          var asking = new sharing.Remote(ask);
          root = asking.request({op: 'root'});  // throws while the caller cannot answer, and asks again later
          remote = asking;
        }
        return root;
      }});
    }
    // window.dialogHeight = "300px" resizes the dialog; reading tells where it is.
    ['Width', 'Height', 'Left', 'Top'].forEach(function (side) {
      var which = {dialog: dialog.id, side: side.toLowerCase()};
      Object.defineProperty(window, 'dialog' + side, {
        configurable: true,
        get: function () { return call('measure', which) + 'px'; },
        set: function (value) { call('place', {dialog: which.dialog, side: which.side, value: String(value)}); }
      });
    });
    bridge.dialogResult = function () { return sharing.returned(window.returnValue, remote); };
  }
  // From a frame of the dialog too, as the old browser did: the dialog closes with the returnValue of its page.
  window.close = function () {
    if (window !== window.top) {
      try {
        return window.top.close();
      } catch (e) {
        // a page of another site around this frame: it closes the dialog itself
      }
    }
    sharing.send('close', {dialog: dialog.id, value: sharing.returned(window.returnValue, remote)});
  };
})(BRIDGE, SHARING);
