#pragma once

// What the user does with each artefact of the layer's corpus, as its documentation shows, and what the user then
// sees (gui_test_Corpus.cpp).
#include <QString>

#include "CorpusVisit.h"

namespace lumaro::corpus {

inline QString OpenTreeNode(Visit& visit) {
    visit.page.Click(QStringLiteral("document.getElementById('jd1')"));  // the plus beside "Node 1"
    visit.page.WaitFor(QStringLiteral("document.body.innerText.indexOf('Node 1.1') >= 0"), 10000);
    return visit.page.Js(QStringLiteral("document.body.innerText")).toString();
}

inline QString WalkTreeByKeys(Visit& visit) {
    visit.page.Click(WithText(".webfx-tree-item a", QStringLiteral("住宅")));
    visit.page.Press(Qt::Key_Right);  // opens the folder
    visit.page.Press(Qt::Key_Down);   // its first item
    const QString selected = QStringLiteral("document.querySelector('.webfx-tree-item a.selected')");
    visit.page.WaitFor(selected + QStringLiteral(".innerText == '二手房'"), 10000);
    return QStringLiteral("selected: ") + visit.page.Js(selected + QStringLiteral(".innerText")).toString();
}

inline QString SortByPrice(Visit& visit) {
    visit.page.Click(WithText("#table-1 thead td", QStringLiteral("总价(万)")));
    const QString order = QStringLiteral(
        "Array.prototype.map.call(document.getElementById('table-1').tBodies[0].rows,"
        " function (r) { return r.cells[0].innerText; }).join(' ')");
    visit.page.WaitFor(order + QStringLiteral(".indexOf('A-1031') == 0"), 10000);
    return visit.page.Js(order).toString();
}

inline QString ChooseTab(Visit& visit) {
    visit.page.Click(WithText("h2.tab", QStringLiteral("业主资料")));
    const QString shown = QStringLiteral(
        "Array.prototype.filter.call(document.querySelectorAll('.tab-page'), function (p) {"
        " return p.offsetHeight > 0; })"
        ".map(function (p) { return p.innerText.replace(/^\\s+|\\s+$/g, ''); }).join('|')");
    visit.page.WaitFor(shown + QStringLiteral(".indexOf('业主') >= 0"), 10000);
    return visit.page.Js(shown).toString();
}

const QString kEditor = QStringLiteral("document.getElementById('_yourFieldNameHere_editor')");

// Selects everything in the first editor of htmlArea's example page.
inline bool SelectAllInEditor(Visit& visit) {
    // The editor is made as the page loads, or not at all.
    if (!visit.page.Js(kEditor + QStringLiteral(" != null")).toBool() ||
        !visit.page.WaitFor(kEditor + QStringLiteral(".contentWindow.document.body.innerText.length > 0")))
        return false;
    visit.page.Click(kEditor + QStringLiteral(".contentWindow.document.querySelector('p')"));
    visit.page.Press(Qt::Key_A, Qt::ControlModifier);
    return true;
}

inline QString ColourTextRed(Visit& visit) {
    if (!SelectAllInEditor(visit)) return QStringLiteral("no editor");
    visit.page.Click(QStringLiteral("document.getElementById('_yourFieldNameHere_ForeColor')"));
    LegacyDialog* dialog = visit.Dialog();
    if (!dialog) return QStringLiteral("no colour dialog");
    const QString caption = dialog->windowTitle();
    visit.AtDialog().Click(QStringLiteral("document.querySelector('td[bgcolor=\"#FF0000\"]')"));
    const QString stayed = Visit::DialogsClosed();
    const QString colour = QStringLiteral(
        "(function (d) { var w = d.createTreeWalker(d.body, 4), n;"
        " while ((n = w.nextNode())) if (n.data.indexOf('sample') >= 0) return getComputedStyle(n.parentNode).color;"
        " })(%1.contentWindow.document)").arg(kEditor);
    visit.page.WaitFor(colour + QStringLiteral(" == 'rgb(255, 0, 0)'"), 10000);
    return stayed + caption + QStringLiteral(": ") + visit.page.Js(colour).toString();
}

inline QString InsertTable(Visit& visit) {
    if (!SelectAllInEditor(visit)) return QStringLiteral("no editor");
    visit.page.Press(Qt::Key_End, Qt::ControlModifier);
    visit.page.Click(QStringLiteral("document.getElementById('_yourFieldNameHere_InsertTable')"));
    LegacyDialog* dialog = visit.Dialog();
    if (!dialog) return QStringLiteral("no table dialog");
    const QString caption = dialog->windowTitle();
    visit.AtDialog().Click(QStringLiteral(
        "Array.prototype.filter.call(document.querySelectorAll('button, input[type=button]'), function (b) {"
        " return /确定|OK/i.test(b.value || b.innerText); })[0]"));
    const QString stayed = Visit::DialogsClosed();
    const QString tables = kEditor + QStringLiteral(".contentWindow.document.getElementsByTagName('table').length");
    visit.page.WaitFor(tables + QStringLiteral(" > 0"), 10000);
    return stayed + caption + QStringLiteral(": tables ") + visit.page.Js(tables).toString();
}

inline QString ChooseFromMenuBar(Visit& visit) {
    // The cells of the items keep their class while the rows light up.
    visit.page.Hover(WithText(".ThemeOfficeMainFolderText", QStringLiteral("房源")));
    const QString item = WithText(".ThemeOfficeMenuItemText", QStringLiteral("出租登记"));
    visit.page.WaitFor(item + QStringLiteral(".getClientRects().length && getComputedStyle(")
                           + item + QStringLiteral(".offsetParent).visibility == 'visible'"), 10000);
    visit.page.Hover(item);
    visit.page.Click(item);
    visit.page.WaitFor(QStringLiteral("document.form1.kind.value != ''"), 10000);
    return QStringLiteral("类别: ") + visit.page.Js(QStringLiteral("document.form1.kind.value")).toString();
}

// Opens a date picker of the viewing date (2004-03-10) with `opener`, clicks the 15th among the day cells
// `days` and reads the date `field` then holds.
inline QString PickThe15th(Visit& visit, const QString& opener, const QString& days, const QString& field) {
    visit.page.Click(opener);
    const QString day = QStringLiteral(
        "Array.prototype.filter.call(%1, function (td) {"
        " return td.innerText.replace(/\\s/g, '') == '15' && !/othermonth/.test(td.className); })[0]").arg(days);
    visit.page.WaitFor(day, 10000);
    visit.page.Click(day);
    visit.page.WaitFor(field + QStringLiteral(" != '2004-03-10'"), 10000);
    return QStringLiteral("看房日期: ") + visit.page.Js(field).toString();
}

inline QString PickDate(Visit& visit) {
    return PickThe15th(visit, QStringLiteral("document.getElementById('f_trigger_b')"),
                       QStringLiteral("document.querySelectorAll('div.calendar td.day')"),
                       QStringLiteral("document.getElementById('f_date_b').value"));
}

inline QString QueryHouse(Visit& visit) {
    visit.page.Click(QStringLiteral("document.form1.btnQuery"));
    const QString info = QStringLiteral("document.getElementById('info').innerText");
    visit.page.WaitFor(info + QStringLiteral(".length > 0"), 10000);
    return visit.page.Js(info).toString();
}

inline QString ReadJpegHeader(Visit& visit) {
    visit.page.Click(QStringLiteral("document.getElementsByName('btnRead')[0]"));
    const QString info = QStringLiteral("document.getElementById('info').innerText");
    visit.page.WaitFor(info + QStringLiteral(".length > 0"), 3000);
    return visit.page.Js(info).toString();
}

inline QString ReadExif(Visit& visit) {
    visit.page.Click(QStringLiteral("document.getElementById('img1')"));
    return visit.LastMessage();
}

inline QString StartMinesweeper(Visit& visit) {
    visit.page.Click(WithText("button", QStringLiteral("Create Map!")));
    const QString squares = QStringLiteral("document.getElementById('gameArea').getElementsByTagName('input').length");
    visit.page.WaitFor(squares + QStringLiteral(" > 0"), 10000);
    return QStringLiteral("squares: ") + visit.page.Js(squares).toString();
}

inline QString LoadXmlTree(Visit& visit) {
    visit.page.Click(WithText("button", QStringLiteral("Load")));
    const QString out = QStringLiteral("document.getElementById('out').innerText");
    visit.page.WaitFor(out + QStringLiteral(".indexOf('tree') >= 0"), 10000);
    return visit.page.Js(out).toString();
}

inline QString ShowTooltip(Visit& visit) {
    visit.page.Hover(QStringLiteral("document.getElementById('house')"));
    const QString tip = QStringLiteral("document.getElementById('WzTtDiV')");
    visit.page.WaitFor(tip + QStringLiteral(" && getComputedStyle(") + tip +
                           QStringLiteral(").visibility == 'visible'"), 10000);
    return visit.page.Js(tip + QStringLiteral(".innerText")).toString();
}

// ---- pages of ours in the idiom of code found without a licence

inline QString PickDateInFrame(Visit& visit) {
    return PickThe15th(visit, QStringLiteral("document.form1.txtDate"),
                       QStringLiteral("frames[0].document.getElementsByTagName('td')"),
                       QStringLiteral("document.form1.txtDate.value"));
}

inline QString SaveWithoutPrice(Visit& visit) {
    visit.page.Click(QStringLiteral("document.form1.btnSave"));
    return visit.LastMessage();
}

inline QString PickAreaInDialog(Visit& visit) {
    visit.page.Click(QStringLiteral("document.form1.btnPick"));
    if (!visit.Dialog()) return QStringLiteral("no dialog");
    visit.AtDialog().Click(WithText("td", QStringLiteral("西湖区")));
    const QString stayed = Visit::DialogsClosed();
    const QString fields = QStringLiteral("document.form1.area.value + ' / ' + document.form1.district.value");
    visit.page.WaitFor(QStringLiteral("document.form1.district.value != ''"), 10000);
    return stayed + visit.page.Js(fields).toString();
}

inline QString PreviewPrintout(Visit& visit) {
    visit.page.Click(QStringLiteral("document.all ? document.all.btnPreview : null"));
    return QStringLiteral("asked: ") + visit.ProgramCalls(QStringLiteral("print:preview")).join(QStringLiteral(", "));
}

inline QString MarkFromContextMenu(Visit& visit) {
    visit.page.Click(QStringLiteral("document.getElementById('house')"), Qt::RightButton);
    const QString item = QStringLiteral(
        "(function () { var found = null; Array.prototype.forEach.call(document.querySelectorAll('iframe, div'),"
        " function (e) { var d = e.contentDocument || document; var m = d.getElementById('mark');"
        " if (m && m.getClientRects().length) found = m; }); return found; })()");
    visit.page.WaitFor(item, 10000);
    visit.page.Click(item);
    const QString state = QStringLiteral("document.getElementById('state').innerText");
    visit.page.WaitFor(state + QStringLiteral(" != '在售'"), 10000);
    return QStringLiteral("状态: ") + visit.page.Js(state).toString();
}

}  // namespace lumaro::corpus
