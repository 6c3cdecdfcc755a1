// VBScript in a page: its script blocks, its event handlers (language=
// "vbscript" attributes, "vbscript:" in handlers and links, <script for=
// event=>, Sub <name>_On<event>), execScript, document.write while the page is
// parsed, and MsgBox and InputBox through the program. A block that does not
// compile, or uses what this interpreter lacks, does not run and is named over
// the page with its line; an error while it runs is the page's script error.
(function (VB) {
  'use strict';

  // Starts the scripts of one document; `program` is the layer's window.__lumaroIE,
  // `natives` the browser's functions as they were before the page ran.
  VB.start = function (win, doc, program, natives) {
    var rt = new VB.Runtime(win);
    var nativeWrite = natives.write, nativeWriteln = natives.writeln;
    var wired = new WeakMap();  // a target -> the handlers wired to it
    var source;                 // the page's markup, fetched when a line must be named

    VB.giveBytes(win, natives.XMLHttpRequest);
    VB.host = {
      report: report,
      msgBox: function (text, buttons, title) {
        var answer = program && typeof program.msgBox === 'function' ? program.msgBox(text, buttons, title) : null;
        return answer === null ? 2 : Number(answer);
      },
      inputBox: function (prompt, title, proposal) {
        return program && typeof program.inputBox === 'function' ? program.inputBox(prompt, title, proposal) : null;
      }
    };

    // document.write while a block runs during parsing writes where the block stands;
    // setTimeout(code, ms, "VBScript") runs VBScript.
    VB.pageCall = function (fn, self, args) {
      if ((fn === nativeWrite || fn === nativeWriteln) && self === doc && rt.writing) {
        rt.writing.push(args.join('') + (fn === nativeWriteln ? '\n' : ''));
        return {value: undefined};
      }
      if ((fn === win.setTimeout || fn === win.setInterval) && typeof args[0] === 'string' &&
          /^\s*vbs/i.test(String(args[2] || ''))) {
        var code = args[0];
        args[0] = function () { runCode(code, {describe: lineOf('setTimeout')}); };
        return {value: VB.fromJs(fn.apply(win, args.slice(0, 2)))};
      }
      return undefined;
    };

    function notice(what) {
      if (program && typeof program.notice === 'function') program.notice(what);
    }
    // A script error of the page's, told as the browser tells one (window.onerror, then the console).
    function report(error) {
      var event = new win.ErrorEvent('error', {message: error.message, error: error, cancelable: true});
      win.dispatchEvent(event);
      if (!event.defaultPrevented) win.console.error(error.message);
    }
    function lineOf(where, offset) {
      return function (line) {
        var at = (typeof offset === 'function' ? offset() : offset || 0) + (line || 1);
        return (where ? where + ' ' : '') + '第 ' + at + ' 行';
      };
    }
    // The line of the page an inline block's text starts on, from the markup the server sent.
    function pageLine(script) {
      return function () {
        if (source === undefined) {
          source = program && typeof program.pageSource === 'function' ?
            program.pageSource(doc.URL.split('#')[0], doc.characterSet) : null;
          if (source) source = source.replace(/\r\n?/g, '\n');
        }
        var at = source ? source.indexOf(script.text) : -1;
        return at < 0 ? 0 : source.slice(0, at).split('\n').length - 1;
      };
    }

    // Compiles code; null (and the page told) when it cannot run.
    function compile(code, block) {
      try {
        return VB.compile(rt, VB.parse(code), block);
      } catch (e) {
        if (e instanceof VB.VbUnsupported) notice('VBScript（' + block.describe(e.line) + '：' + e.what + '）');
        else if (e instanceof VB.VbSyntaxError) notice('VBScript（' + block.describe(e.line) + '：语法错误）');
        else notice('VBScript');
        return null;
      }
    }
    function runCompiled(body, block, me) {
      var f = new VB.Frame(null, []);
      f.block = block;
      f.me = me || null;
      try {
        body(f);
      } catch (e) {
        throw rt.pageError(e, block);
      }
    }
    function runCode(code, block) {
      var body = compile(code, block);
      if (body) runCompiled(body, block);
    }

    // A script block of the page, run where it stands.
    function runBlock(script) {
      var code, block;
      if (script.hasAttribute('src')) {
        code = VB.fetchText(win, natives.XMLHttpRequest, script.src, script.charset || doc.characterSet || 'gbk');
        if (code === null) return;
        block = {describe: lineOf(script.getAttribute('src'))};
      } else {
        code = script.text;
        block = {describe: lineOf('', pageLine(script))};
      }
      if (/encode/i.test(script.getAttribute('language') || script.getAttribute('type') || '')) {
        notice('VBScript.Encode');
        return;
      }
      var body = compile(code, block);
      if (!body) return;
      rt.writing = doc.readyState === 'loading' || rt.parsing ? [] : null;
      try {
        runCompiled(body, block);
      } catch (e) {
        report(e);
      } finally {
        var written = rt.writing;
        rt.writing = null;
        if (written && written.length && script.parentNode) {
          var range = doc.createRange();
          range.selectNodeContents(script.parentNode);
          script.parentNode.insertBefore(range.createContextualFragment(written.join('')), script.nextSibling);
        }
      }
      wire();
    }

    // Code as an event handler: a lone call answers its value (False cancels the event).
    function handlerFor(code, where, me) {
      var block = {describe: lineOf(where)}, program;
      try {
        program = VB.parse(code);
        if (program.procs.length) throw new VB.VbSyntaxError(1002, program.procs[0].line);
      } catch (e) {
        notice('VBScript（' + block.describe(e.line) + '：' + (e.what || '语法错误') + '）');
        return null;
      }
      var single = program.body.length === 1 && program.body[0].type === 'call' ? program.body[0] : null;
      var run = single ? VB.compileCall({type: 'call', target: single.target, args: single.args},
                                         new VB.Scope(rt, null, program.explicit))
                       : VB.compile(rt, program, block);
      return function (e) {
        var f = new VB.Frame(null, []);
        f.block = block;
        f.me = me;
        var answer;
        try {
          answer = run(f);
        } catch (err) {
          report(rt.pageError(err, block));
          return undefined;
        }
        if (single && answer === false) {
          if (e && typeof e.preventDefault === 'function') e.preventDefault();
          return false;
        }
        return undefined;
      };
    }

    // Sub Name_OnEvent: wired to the window, the document or the elements of that id or name.
    function wire() {
      rt.procs.forEach(function (proc, lname) {
        var m = /^(.+)_on([a-z]+)$/.exec(lname);
        if (!m) return;
        var targets = m[1] === 'window' ? [win] : m[1] === 'document' ? [doc] :
          doc.querySelectorAll('[id="' + CSS.escape(m[1]) + '" i],[name="' + CSS.escape(m[1]) + '" i]');
        Array.prototype.forEach.call(targets, function (target) {
          var done = wired.get(target);
          if (!done) wired.set(target, done = new Set());
          if (done.has(lname)) return;
          done.add(lname);
          target.addEventListener(m[2], function (e) {
            var current = rt.procs.get(lname), answer;
            if (!current) return undefined;
            try {
              answer = rt.callFromPage(current, [], target);
            } catch (err) {
              report(err);
              return undefined;
            }
            if (answer === false) {
              e.preventDefault();
              return false;
            }
            return undefined;
          });
        });
      });
    }

    return {
      runBlock: runBlock,
      // execScript(code, "VBScript"): errors are the caller's.
      execScript: function (code) { runCode(String(code), {describe: lineOf('execScript')}); },
      // An element's handler attribute in VBScript ("vbscript:" or language="vbscript").
      attribute: function (el, name, code) {
        var fn = handlerFor(code.replace(/^\s*vbscript:/i, ''), name, el);
        if (fn) el[name.toLowerCase()] = fn;
      },
      // <a href="vbscript:...">, run when clicked.
      link: function (a) {
        var code = a.getAttribute('href').replace(/^\s*vbscript:/i, '');
        try { code = decodeURIComponent(code); } catch (e) { /* as written */ }
        var fn = handlerFor(code, 'href', a);
        if (fn) fn();
      },
      // <script language="vbscript" for="x" event="onclick">
      handlerScript: function (script) {
        var name = script.getAttribute('for').trim(), type = script.getAttribute('event').trim();
        type = type.replace(/\(.*$/, '').toLowerCase().replace(/^on/, '');
        var quoted = '"' + CSS.escape(name) + '"';
        var targets = /^window$/i.test(name) ? [win] : /^document$/i.test(name) ? [doc] :
          doc.querySelectorAll('[id=' + quoted + ' i],[name=' + quoted + ' i]');
        Array.prototype.forEach.call(targets, function (target) {
          var fn = handlerFor(script.text, 'for ' + name, target.nodeType === 1 ? target : null);
          if (fn) target.addEventListener(type, fn);
        });
      },
      parsing: function (on) { rt.parsing = on; },
      wire: wire
    };
  };
})(VB);
