// The document and elements as the old control had them: getElementById by
// name, createElement with markup, old attribute names, removeNode and kin.

function patchDocument(R) {
  var byId = Document.prototype.getElementById;
  method(Document.prototype, 'getElementById', function (id) {
    var found = byId.apply(this, arguments);
    if (found || id === undefined || id === null || id === '') return found;
    return this.getElementsByName(id)[0] || null;  // the old control also found elements by name
  });

  var create = Document.prototype.createElement;
  method(Document.prototype, 'createElement', function (name) {
    if (typeof name !== 'string') return create.apply(this, arguments);
    if (name.charCodeAt(0) !== 60) {
      if (name.length === 6 && /^script$/i.test(name)) R.scriptCreated();
      return create.apply(this, arguments);
    }
    // createElement("<input name=x type=radio>"): the tag as markup.
    var template = create.call(this, 'template');
    template.innerHTML = name;
    var el = template.content.firstElementChild;
    if (!el) throw new DOMException('The tag name provided (' + name + ') is not valid.', 'InvalidCharacterError');
    return this.importNode(el, true);
  });

  var setAttribute = Element.prototype.setAttribute;
  var getAttribute = Element.prototype.getAttribute;
  var removeAttribute = Element.prototype.removeAttribute;
  var aliases = {className: 'class', classname: 'class', htmlFor: 'for', htmlfor: 'for'};
  var alias = function (el, name) {
    var html = typeof name === 'string' && hasOwn.call(aliases, name) && el.namespaceURI === HTML_NS;
    return html ? aliases[name] : name;
  };
  method(Element.prototype, 'setAttribute', function (name, value) {
    if (typeof value === 'function' && /^on/i.test(name)) {
      this[String(name).toLowerCase()] = value;
      return;
    }
    if (typeof name === 'string' && hasOwn.call(COLOUR_ATTRIBUTES, name.toLowerCase()))
      systemColour(this.ownerDocument, name, value);
    return setAttribute.call(this, alias(this, name), value);
  });
  method(Element.prototype, 'getAttribute', function (name) {
    return getAttribute.call(this, alias(this, name));
  });
  method(Element.prototype, 'removeAttribute', function (name) {
    return removeAttribute.call(this, alias(this, name));
  });

  property(Document.prototype, 'parentWindow', function () { return this.defaultView; });
  property(Element.prototype, 'document', function () { return this.ownerDocument; });
  var ids = new WeakMap();
  property(Element.prototype, 'uniqueID', function () {
    if (!ids.has(this)) ids.set(this, 'ms__id' + (++R.lastId));
    return ids.get(this);
  });
  property(Element.prototype, 'sourceIndex', function () {
    return Array.prototype.indexOf.call(this.ownerDocument.getElementsByTagName('*'), this);
  });
  method(Element.prototype, 'removeNode', function (deep) {
    var parent = this.parentNode;
    if (!parent) return this;
    if (!deep) while (this.firstChild) parent.insertBefore(this.firstChild, this);
    parent.removeChild(this);
    return this;
  });
  method(Element.prototype, 'replaceNode', function (other) {
    if (this.parentNode) this.parentNode.replaceChild(other, this);
    return this;
  });
  method(Element.prototype, 'swapNode', function (other) {
    var mark = this.ownerDocument.createComment('');
    other.parentNode.replaceChild(mark, other);
    this.parentNode.replaceChild(other, this);
    mark.parentNode.replaceChild(this, mark);
    return this;
  });

  // The old control's year: 2024, not 124.
  method(Date.prototype, 'getYear', function () {
    var year = this.getFullYear();
    return year >= 1900 && year < 2000 ? year - 1900 : year;
  });

  property(Navigator.prototype, 'userLanguage', function () { return 'zh-cn'; });
  property(Navigator.prototype, 'browserLanguage', function () { return 'zh-cn'; });
  property(Navigator.prototype, 'systemLanguage', function () { return 'zh-cn'; });

  global('navigate', function (url) { window.location.href = String(url); });
  global('execScript', function (code, language) {
    if (/vbs/i.test(language || '')) {
      notice('VBScript');
      return;
    }
    (0, window.eval)(String(code));
  });
  var external = window.external;
  if (external) {
    var ext = Object.getPrototypeOf(external) || external;
    ['AddFavorite', 'addFavorite', 'AddDesktopComponent', 'AddChannel', 'ShowBrowserUI'].forEach(function (name) {
      if (!(name in external)) method(ext, name, function () {});
    });
  }
  // this.style.behavior = "url(#default#homepage)"; this.setHomePage(...)
  method(Element.prototype, 'setHomePage', function () {});
  method(Element.prototype, 'isHomePage', function () { return false; });
  method(Element.prototype, 'addBehavior', function (url) {
    behaviour(String(url));
    return 0;
  });
  method(Element.prototype, 'removeBehavior', function () { return false; });

  patchSelection(R);
  patchClipboard(R);
  patchPopup(R);
  patchIslands(R);
}
