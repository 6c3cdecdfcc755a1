// How the old control drew what today's engines draw otherwise: the sizes of
// inline elements in quirks mode, the Windows system colours named in colour
// attributes, and the symbol fonts of Windows.

// Elements that take a width of their own in any mode.
var SIZED_ANYWAY = /^(img|input|select|textarea|button|iframe|frame|object|embed|applet|video|canvas|svg|br|hr|table|td|th)$/;

// In quirks mode the old control gave an inline element the width and height
// a page set (it drew it as a box, as inline-block does today): a calendar's
// day cells made of <span style="width:20px"> stay a grid.
function sizeInline(el) {
  if (el.nodeType !== 1 || SIZED_ANYWAY.test(el.localName) || el.style.display) return;
  var view = el.ownerDocument.defaultView;
  if (view && view.getComputedStyle(el).display === 'inline') el.style.display = 'inline-block';
}
function sizedSelectors(doc) {
  var found = [];
  for (var i = 0; i < doc.styleSheets.length; i++) {
    var rules;
    try { rules = doc.styleSheets[i].cssRules; } catch (e) { continue; }  // another site's sheet
    for (var j = 0; rules && j < rules.length; j++) {
      var rule = rules[j];
      if (rule.type === 1 && (rule.style.width || rule.style.height)) found.push(rule.selectorText);
    }
  }
  return found;
}
function sizeInlines(doc, root, selectors) {
  var each = function (list) { for (var i = 0; i < list.length; i++) sizeInline(list[i]); };
  var styled = root.querySelectorAll('[style]');
  for (var i = 0; i < styled.length; i++) if (styled[i].style.width || styled[i].style.height) sizeInline(styled[i]);
  selectors.forEach(function (selector) {
    try {
      if (root.nodeType === 1 && root.matches(selector)) sizeInline(root);
      each(root.querySelectorAll(selector));
    } catch (e) { /* a selector of the old control's own */ }
  });
  if (root.nodeType === 1 && root.style.width) sizeInline(root);
}
// Once the page is parsed, and for what scripts add later (calendars are built on a click).
function quirksSizes(doc) {
  if (doc.compatMode !== 'BackCompat') return;
  var selectors = sizedSelectors(doc);
  sizeInlines(doc, doc, selectors);
  new MutationObserver(function (records) {
    records.forEach(function (record) {
      for (var i = 0; i < record.addedNodes.length; i++) {
        var node = record.addedNodes[i];
        if (node.nodeType === 1) sizeInlines(doc, node, selectors);
      }
      if (record.type === 'attributes') sizeInline(record.target);
    });
  }).observe(doc, {childList: true, subtree: true, attributes: true, attributeFilter: ['style']});
}

var SYSTEM_COLOURS = ['activeborder', 'activecaption', 'appworkspace', 'background', 'buttonface',
  'buttonhighlight', 'buttonshadow', 'buttontext', 'captiontext', 'graytext', 'highlight', 'highlighttext',
  'inactiveborder', 'inactivecaption', 'inactivecaptiontext', 'infobackground', 'infotext', 'menu', 'menutext',
  'scrollbar', 'threeddarkshadow', 'threedface', 'threedhighlight', 'threedlightshadow', 'threedshadow',
  'window', 'windowframe', 'windowtext'];
// Colour attributes and what they colour; body's link colours colour its links.
var COLOUR_ATTRIBUTES = {
  bgcolor: function (v) { return [':where([bgcolor="' + v + '" i])', 'background-color:' + v]; },
  color: function (v) { return [':where(font[color="' + v + '" i])', 'color:' + v]; },
  bordercolor: function (v) { return [':where([bordercolor="' + v + '" i])', 'border-color:' + v]; },
  text: function (v) { return [':where(body[text="' + v + '" i])', 'color:' + v]; },
  link: function (v) { return [':where(body[link="' + v + '" i] a:link)', 'color:' + v]; },
  vlink: function (v) { return [':where(body[vlink="' + v + '" i] a:visited)', 'color:' + v]; },
  alink: function (v) { return [':where(body[alink="' + v + '" i] a:active)', 'color:' + v]; }
};

// A system colour in a colour attribute ("buttonface") is that colour, which
// today's engines read as a garbled hex value. A rule of no weight does it, so
// the page's own style sheets still win, as they won over the attribute.
function systemColour(doc, name, value) {
  var v = String(value).trim().toLowerCase();
  var rule = COLOUR_ATTRIBUTES[String(name).toLowerCase()];
  if (!rule || SYSTEM_COLOURS.indexOf(v) < 0) return;
  var st = docState(doc);
  if (!st.colours) st.colours = Object.create(null);
  var key = name + '=' + v;
  if (st.colours[key]) return;
  st.colours[key] = true;
  var made = rule(v);
  addRule(doc, made[0], made[1]);
}
// The elements that carry colour attributes, as the parser adds them: each
// looked at once (the parser appends, so the new ones come after the last).
var COLOURED = ['body', 'table', 'tr', 'td', 'th', 'font'];
function systemColours(doc, st) {
  if (!st.colourSeen) st.colourSeen = Object.create(null);
  COLOURED.forEach(function (tag) {
    var found = doc.getElementsByTagName(tag);
    for (var i = st.colourSeen[tag] || 0; i < found.length; i++) {
      var el = found[i];
      if (!el.attributes.length) continue;
      for (var name in COLOUR_ATTRIBUTES) if (el.hasAttribute(name)) systemColour(doc, name, el.getAttribute(name));
    }
    st.colourSeen[tag] = found.length;
  });
}
function patchColours() {
  // Colours set by script later: bgColor and the like, and setAttribute.
  [[HTMLBodyElement, ['bgColor', 'text', 'link', 'vLink', 'aLink']], [HTMLTableElement, ['bgColor']],
   [HTMLTableRowElement, ['bgColor']], [HTMLTableCellElement, ['bgColor']], [HTMLFontElement, ['color']]]
    .forEach(function (entry) {
      entry[1].forEach(function (prop) {
        var d = nativeDescriptor(entry[0].prototype, prop);
        if (!d.set) return;
        Object.defineProperty(entry[0].prototype, prop, {configurable: true, enumerable: true, get: d.get,
          set: function (value) {
            systemColour(this.ownerDocument, prop.toLowerCase(), value);
            d.set.call(this, value);
          }});
      });
    });
}

// Text in Webdings and Wingdings drew arrows, check marks and boxes; the
// program has stand-ins that draw the same letters the same way (the text
// stays as written). Fonts load only when text uses them.
function symbolFonts(doc) {
  if (!doc.fonts || typeof FontFace !== 'function') return;
  ['Webdings', 'Wingdings'].forEach(function (family) {
    try {
      doc.fonts.add(new FontFace(family, 'url(lumaro-ie://program/font/' + family.toLowerCase() + ')'));
    } catch (e) { /* a document without fonts */ }
  });
}
