// Styles of the old control: currentStyle, filter opacity, expression(),
// behaviours named, and the old style sheets' rules.

var ALPHA = /alpha\s*\(\s*opacity\s*[=:]\s*(\d+(?:\.\d+)?)/i;
var GRAY = /(^|[\s,])gray\b|grayscale\s*=\s*1/i;

// The opacity (and grey) of an old "filter" value; null when it is a filter of today.
function oldFilter(value) {
  // Old filters are "progid:...", take key=value arguments, or are bare words;
  // blur(2px) and invert(1) are filters of today.
  if (!/progid\s*:|\b[a-z]+\s*\([^)]*=|(^|[\s,])(gray|xray|fliph|flipv|invert)\s*($|[\s,])/i.test(value)) return null;
  var alpha = ALPHA.exec(value);
  return {opacity: alpha ? String(Math.min(100, parseFloat(alpha[1])) / 100) : '',
          gray: GRAY.test(value) ? 'grayscale(1)' : ''};
}

function patchStyles(R) {
  property(Element.prototype, 'currentStyle', function () {
    var view = this.ownerDocument.defaultView || window;
    return view.getComputedStyle(this);
  });
  property(Element.prototype, 'runtimeStyle', function () { return this.style; });
  var style = CSSStyleDeclaration.prototype;
  property(style, 'styleFloat', function () { return this.cssFloat; }, function (v) { this.cssFloat = v; });
  // style.getAttribute("backgroundColor"): the old control's style objects named properties so.
  method(style, 'getAttribute', function (name) { return this[camel(String(name))]; });
  method(style, 'setAttribute', function (name, value) { this[camel(String(name))] = value; });
  method(style, 'removeAttribute', function (name) {
    var had = this[camel(String(name))] !== '';
    this.removeProperty(String(name).replace(/[A-Z]/g, function (c) { return '-' + c.toLowerCase(); }));
    return had;
  });
  ['Left', 'Top', 'Width', 'Height', 'Right', 'Bottom'].forEach(function (side) {
    var name = side.toLowerCase();
    var pixels = function () { return parseInt(this.getPropertyValue(name), 10) || 0; };
    property(style, 'pixel' + side, pixels, function (v) { this.setProperty(name, (parseFloat(v) || 0) + 'px'); });
    property(style, 'pos' + side, function () { return parseFloat(this.getPropertyValue(name)) || 0; }, function (v) {
      var unit = /[a-z%]+$/i.exec(this.getPropertyValue(name));
      this.setProperty(name, (parseFloat(v) || 0) + (unit ? unit[0] : 'px'));
    });
  });
  // style.filter = "alpha(opacity=50)" fades as it did; filters of today pass through.
  Object.defineProperty(style, 'filter', {
    configurable: true, enumerable: true,
    get: function () {
      var old = R.oldFilters.get(this);
      return old !== undefined ? old : this.getPropertyValue('filter');
    },
    set: function (value) {
      value = value === null || value === undefined ? '' : String(value);
      var old = oldFilter(value);
      if (old) {
        R.oldFilters.set(this, value);
        this.setProperty('opacity', old.opacity);
        this.setProperty('filter', old.gray);
        return;
      }
      if (R.oldFilters.has(this)) {
        R.oldFilters.delete(this);
        this.removeProperty('opacity');
      }
      this.setProperty('filter', value);
    }
  });
  var filters = new WeakMap();
  property(Element.prototype, 'filters', function () {
    var el = this;
    var found = filters.get(el);
    if (found) return found;
    var alpha = {enabled: true};
    Object.defineProperty(alpha, 'opacity', {
      enumerable: true,
      get: function () {
        var view = el.ownerDocument.defaultView || window;
        return Math.round(parseFloat(view.getComputedStyle(el).opacity) * 100);
      },
      set: function (v) { el.style.filter = 'alpha(opacity=' + (parseFloat(v) || 0) + ')'; }
    });
    found = {0: alpha, length: 1, alpha: alpha, Alpha: alpha, 'DXImageTransform.Microsoft.Alpha': alpha};
    method(found, 'item', function (which) { return /alpha|^0$/i.test(String(which)) ? alpha : null; });
    filters.set(el, found);
    return found;
  });

  method(Document.prototype, 'createStyleSheet', function (href, index) {
    var el;
    if (href) {
      el = this.createElement('link');
      el.rel = 'stylesheet';
      el.href = href;
    } else {
      el = this.createElement('style');
    }
    var head = this.head || this.documentElement;
    var sheets = this.querySelectorAll('style,link[rel~="stylesheet" i]');
    var before = index >= 0 && index < sheets.length ? sheets[index] : null;
    if (before) before.parentNode.insertBefore(el, before); else head.appendChild(el);
    return el.sheet;
  });
  property(CSSStyleSheet.prototype, 'cssText', function () {
    return Array.prototype.map.call(this.cssRules, function (rule) { return rule.cssText; }).join('\n');
  }, function (text) {
    if (this.ownerNode && this.ownerNode.localName === 'style') {
      this.ownerNode.textContent = String(text);
      return;
    }
    while (this.cssRules.length) this.deleteRule(0);
    var sheet = this;
    cssBlocks(String(text), function (selector, body) {
      try { sheet.insertRule(selector + '{' + body + '}', sheet.cssRules.length); } catch (e) { /* not CSS */ }
    });
  });
}

// The rule blocks "selector { declarations }" of a style sheet's text.
function cssBlocks(text, each) {
  var block = /([^{}]*)\{([^{}]*)\}/g, m;
  text = text.replace(/\/\*[\s\S]*?\*\//g, '');
  while ((m = block.exec(text))) {
    var selector = m[1].trim();
    if (selector && selector.charAt(0) !== '@') each(selector, m[2]);
  }
}
// The declarations of a block or style attribute, name -> value; a ";" in
// parentheses or quotes (an expression) does not end one.
function declarations(text) {
  var found = [], depth = 0, quote = '', start = 0;
  for (var i = 0; i <= text.length; i++) {
    var c = text.charAt(i);
    if (quote) {
      if (c === quote) quote = '';
    } else if (c === '"' || c === '\'') {
      quote = c;
    } else if (c === '(') {
      depth++;
    } else if (c === ')') {
      depth--;
    } else if ((c === ';' && depth <= 0) || i === text.length) {
      var part = text.slice(start, i), colon = part.indexOf(':');
      if (colon > 0) {
        found.push({name: part.slice(0, colon).trim().toLowerCase(), value: part.slice(colon + 1).trim()});
      }
      start = i + 1;
      depth = 0;
    }
  }
  return found;
}
function styleDeclarations(text) {
  var map = {};
  declarations(text).forEach(function (d) { map[d.name] = d.value; });
  return map;
}

function behaviour(value) {
  var url = /url\(\s*['"]?([^'")]*)/i.exec(value);
  var target = url ? url[1] : value;
  if (/^#default#homepage$/i.test(target.trim())) return;  // served by setHomePage()
  notice('HTC 行为 (behavior)');
}

function shimSheet(doc) {
  var st = docState(doc);
  if (!st.sheet) {
    st.sheet = new CSSStyleSheet();
    doc.adoptedStyleSheets = doc.adoptedStyleSheets.concat(st.sheet);
  }
  return st.sheet;
}
function addRule(doc, selector, body) {
  var sheet = shimSheet(doc);
  try {
    sheet.insertRule(selector + '{' + body + '}', sheet.cssRules.length);
  } catch (e) { /* a selector of the old control's own */ }
}

// A style sheet's text: filter opacity, expression() and behaviours.
function oldCss(doc, text) {
  if (!/filter|expression|behavior|hand/i.test(text)) return;
  cssBlocks(text, function (selector, body) {
    if (!/filter|expression|behavior|hand/i.test(body)) return;
    declarations(body).forEach(function (d) { oldDeclaration(doc, d, selector, null); });
  });
}
function oldDeclaration(doc, d, selector, el) {
  // cursor: hand, the old name of the pointing hand (quirks mode knows it; standards mode not).
  if (d.name === 'cursor' && /^hand$/i.test(d.value)) {
    if (el) el.style.setProperty('cursor', 'pointer');
    else addRule(doc, selector, 'cursor:pointer');
    return;
  }
  if (d.name === 'behavior') {
    behaviour(d.value);
    return;
  }
  var expr = /^expression\s*\(([\s\S]*)\)\s*$/i.exec(d.value);
  if (expr) {
    var fn;
    try { fn = new Function('return (' + expr[1] + '\n);'); } catch (e) { return; }
    docState(doc).exprs.push({selector: selector, el: el, name: d.name, fn: fn});
    return;
  }
  if (d.name === 'filter' || d.name === '-ms-filter') {
    var old = oldFilter(d.value.replace(/^["']|["']$/g, ''));
    if (!old) return;
    if (el) {
      if (old.opacity) el.style.setProperty('opacity', old.opacity);
      if (old.gray) el.style.setProperty('filter', old.gray);
    } else {
      var body = (old.opacity ? 'opacity:' + old.opacity + ';' : '') + (old.gray ? 'filter:' + old.gray : '');
      addRule(doc, selector, body);
    }
  }
}

// expression(): computed again as the window and the page move, as the old control did.
var LENGTHS = /^(width|height|top|left|right|bottom|(min|max)-(width|height)|margin.*|padding.*|font-size)$/;
function runExpressions(doc) {
  var st = docState(doc);
  st.exprQueued = false;
  st.exprs.forEach(function (x) {
    var targets = [];
    try { targets = x.el ? [x.el] : doc.querySelectorAll(x.selector); } catch (e) { /* a selector of its own */ }
    for (var i = 0; i < targets.length; i++) {
      var value;
      try { value = x.fn.call(targets[i]); } catch (e) { continue; }
      if (value === undefined || value === null) continue;
      if (typeof value === 'number' && LENGTHS.test(x.name)) value += 'px';
      targets[i].style.setProperty(x.name, String(value));
    }
  });
}
function startExpressions(doc) {
  var st = docState(doc);
  if (!st.exprs.length) return;
  if (st.exprsStarted) {
    runExpressions(doc);  // those a linked style sheet added
    return;
  }
  st.exprsStarted = true;
  var queue = function () {
    if (st.exprQueued) return;
    st.exprQueued = true;
    requestAnimationFrame(function () { runExpressions(doc); });
  };
  ['resize', 'scroll', 'load'].forEach(function (type) { window.addEventListener(type, queue, true); });
  ['click', 'keyup', 'mouseup', 'input', 'change'].forEach(function (type) {
    doc.addEventListener(type, function () { setTimeout(queue, 0); }, true);
  });
  runExpressions(doc);
}
