// VBScript in the agency's pages, found while the page is parsed. This part is
// in every document and stays small; the interpreter itself comes from the
// program the first time a document has VBScript to run. The parser lets
// pending observers run before each script of the page runs, so a VBScript
// block runs in document order, before the JScript that follows it.
(function () {
  'use strict';

  var STATE = Symbol.for('lumaro.vbscript.document');
  var CODE = Symbol.for('lumaro.vbscript.interpreter');
  var doc = window.document;
  if (doc[STATE]) return;
  // The browser's own functions, taken before the page can replace them.
  var natives = {XMLHttpRequest: window.XMLHttpRequest, write: Document.prototype.write,
                 writeln: Document.prototype.writeln};
  var st = {done: new WeakSet(), queue: [], page: null};
  Object.defineProperty(doc, STATE, {value: st});

  // A script the browser leaves alone because it is VBScript (the type decides, else the language).
  function isVbs(script) {
    var type = script.getAttribute('type');
    if (type !== null && type.trim()) return /^\s*text\/vbs(cript)?(\.encode)?\s*(;.*)?$/i.test(type);
    return vbsLanguage(script);
  }
  // An element whose handler attributes are VBScript.
  function vbsLanguage(el) { return /^\s*vbs(cript)?(\.encode)?\s*$/i.test(el.getAttribute('language') || ''); }

  // The document's interpreter, loaded from the program at the first need; null without one.
  function page() {
    if (st.page !== null) return st.page || null;
    st.page = false;
    var p = window.__lumaroIE;
    if (!p || typeof p.vbscript !== 'function') return null;
    if (!window[CODE]) {
      var source = p.vbscript();
      if (!source) return null;
      // Compiled as a script of the page's own, so that its errors reach the page as the page's.
      var holder = doc.createElement('script');
      holder.text = 'Object.defineProperty(window, Symbol.for("lumaro.vbscript.interpreter"), {value: (function () {\n' +
                    source + '\n})()});';
      (doc.head || doc.documentElement).appendChild(holder);
      holder.remove();
      if (!window[CODE]) return null;
    }
    var VB = window[CODE];
    st.page = VB.start(window, doc, p, natives);
    goDeep();
    return st.page;
  }
  function cannotRun() {
    var p = window.__lumaroIE;
    if (p && typeof p.notice === 'function') p.notice('VBScript');
  }

  // New VBScript blocks join the queue in document order: those among the
  // nodes the records add (the parser adds one at a time; a script adds whole
  // trees), or all of the document's.
  function consider(s) {
    if (st.done.has(s)) return;
    st.done.add(s);
    if (isVbs(s) && !(s.hasAttribute('for') && s.hasAttribute('event'))) st.queue.push(s);
  }
  function collect(records) {
    for (var i = 0; i < records.length; i++) {
      var added = records[i].addedNodes;
      for (var j = 0; j < added.length; j++) {
        var node = added[j];
        if (node.nodeType !== 1) continue;
        if (node.localName === 'script') consider(node);
        else if (node.firstElementChild) Array.prototype.forEach.call(node.getElementsByTagName('script'), consider);
      }
    }
  }
  function collectAll() { Array.prototype.forEach.call(doc.getElementsByTagName('script'), consider); }
  // Whether the parser has gone past a block's end: something follows it.
  function complete(s) {
    if (doc.readyState !== 'loading') return true;
    for (var n = s; n; n = n.parentNode) if (n.nextSibling) return true;
    return false;
  }
  function runQueued(all) {
    while (st.queue.length && (all || complete(st.queue[0]))) {
      var s = st.queue.shift();
      var vb = page();
      if (!vb) return cannotRun();
      vb.runBlock(s);
    }
    return undefined;
  }

  // Until a page shows VBScript only the document's top level is watched (the
  // children of html, head and body; a tree below them is looked through once
  // the parser has gone past it): watching every node the parser adds costs a
  // page a fifth of its load. Once a page has VBScript every node is watched,
  // so that each block runs before the JScript after it.
  var deep = false, open = null;
  function scan(tree) { Array.prototype.forEach.call(tree.getElementsByTagName('script'), consider); }
  function arrived(node) {
    var tag = node.localName;
    if (node.nodeType !== 1) return;
    if (tag === 'script') {
      consider(node);
    } else if (tag === 'html' || tag === 'head' || tag === 'body') {
      // Watched from now on; what it holds already is looked at now.
      observer.observe(node, {childList: true});
      for (var child = node.firstChild; child; child = child.nextSibling) arrived(child);
    } else {
      if (open && open !== node) scan(open);
      open = node;
    }
  }
  function topLevel(records) {
    for (var i = 0; i < records.length; i++) {
      var added = records[i].addedNodes;
      for (var j = 0; j < added.length; j++) arrived(added[j]);
    }
    if (open) scan(open);
  }
  function goDeep() {
    if (deep || doc.readyState !== 'loading') return;
    deep = true;
    observer.observe(doc, {childList: true, subtree: true});
  }
  var observer = new MutationObserver(function (records) {
    if (deep) collect(records);
    else topLevel(records);
    if (st.queue.length) goDeep();
    runQueued(false);
    if (st.page) st.page.wire();  // Sub <name>_On<event> for the elements parsed so far
  });
  if (doc.readyState === 'loading') observer.observe(doc, {childList: true});

  // Once parsed: the blocks left, then the handlers written in VBScript.
  function parsed() {
    collect(observer.takeRecords());
    observer.disconnect();
    collectAll();
    if (st.page) st.page.parsing(true);
    runQueued(true);
    if (st.page) st.page.parsing(false);
    var attributes = [];
    var languages = doc.querySelectorAll('[language]');
    for (var i = 0; i < languages.length; i++) {
      var el = languages[i];
      if (el.localName === 'script' || !vbsLanguage(el)) continue;
      for (var j = 0; j < el.attributes.length; j++) {
        if (/^on/i.test(el.attributes[j].name)) attributes.push([el, el.attributes[j]]);
      }
    }
    var marked = doc.evaluate('//@*[starts-with(name(), "on")][starts-with(translate(normalize-space(.), ' +
                              '"VBSCRIPT", "vbscript"), "vbscript:")]', doc, null,
                              XPathResult.ORDERED_NODE_SNAPSHOT_TYPE, null);
    for (var k = 0; k < marked.snapshotLength; k++) {
      var at = marked.snapshotItem(k);
      if (!vbsLanguage(at.ownerElement)) attributes.push([at.ownerElement, at]);
    }
    var handlers = Array.prototype.filter.call(doc.querySelectorAll('script[for][event]'), isVbs);
    if (!attributes.length && !handlers.length && !st.page) return;
    var vb = page();
    if (!vb) return cannotRun();
    attributes.forEach(function (pair) { vb.attribute(pair[0], pair[1].name, pair[1].value); });
    handlers.forEach(function (s) { vb.handlerScript(s); });
    vb.wire();
    return undefined;
  }
  if (doc.readyState === 'loading') doc.addEventListener('DOMContentLoaded', parsed, {capture: true, once: true});
  else parsed();

  // <a href="vbscript:...">: the link runs its code instead of going anywhere.
  doc.addEventListener('click', function (e) {
    var a = e.target && e.target.closest ? e.target.closest('a[href],area[href]') : null;
    if (!a || !/^\s*vbscript:/i.test(a.getAttribute('href'))) return;
    e.preventDefault();
    var vb = page();
    if (!vb) return cannotRun();
    vb.link(a);
  });

  // execScript(code, "VBScript")
  var execScript = window.execScript;
  Object.defineProperty(window, 'execScript', {
    configurable: true, writable: true, enumerable: false,
    value: function (code, language) {
      if (!/vbs/i.test(language || '')) return typeof execScript === 'function' ? execScript.apply(this, arguments) : undefined;
      var vb = page();
      if (!vb) return cannotRun();
      return vb.execScript(code);
    }
  });
})();
