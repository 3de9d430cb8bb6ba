// The pages' style sheet and script.
#include "webguide/page_style.h"

#include <cstdio>

#include "programme/genre_table.h"
#include "webguide/inline_source_hash.h"

namespace {

// Phones get narrow channel columns that scroll sideways inside the grid,
// never the whole page; the hour column and the channel names stay put.
const char kLayout[] =
    "*{box-sizing:border-box}"
    "html,body{height:100%;margin:0}"
    "body{display:flex;flex-direction:column;font:14px/1.35 sans-serif;color:#222;background:#f4f4f4}"
    "header{flex:none;padding:.4em .5em;background:#2b3a55;color:#fff}"
    "header h1{display:inline;font-size:1.1em;margin:0 .6em 0 0}"
    "header h1 a{color:#fff;text-decoration:none}"
    "form{display:inline-flex;gap:.3em;max-width:100%}"
    "input[type=search]{width:14em;max-width:50vw;font-size:1em}"
    "label.ended{font-size:.85em;white-space:nowrap;align-self:center}"
    ".days{display:flex;flex-wrap:wrap;gap:.25em;margin-top:.4em}"
    ".days a{color:#fff;padding:.15em .45em;border-radius:.3em;text-decoration:none;background:#44557a}"
    ".days a.today{font-weight:bold}"
    ".days a.on{background:#fff;color:#2b3a55}"
    ".days small{font-weight:normal}"
    "main{flex:1;min-height:0;display:flex;flex-direction:column}"
    ".jump{margin:.2em .5em;flex:none}"
    "nav.jump a{margin-right:.8em}"
    "details.chs{display:inline-block;vertical-align:top}"
    "details.chs summary{cursor:pointer;color:#2b3a55}"
    "details.chs[open]{display:block}"
    "details.chs a{display:inline-block;margin:.15em .8em .15em 0}"
    ".msg{margin:1em}"
    ".grid{flex:1;min-height:0;overflow:auto;background:#fff}"
    "table{border-collapse:separate;border-spacing:0}"
    "th,td{border-right:1px solid #ccc;border-bottom:1px solid #ccc;vertical-align:top;padding:0}"
    "thead th{position:sticky;top:0;z-index:2;background:#e4e8f0;padding:.25em;font-size:.9em;"
    "min-width:9.5em;max-width:9.5em}"
    "th.h{position:sticky;left:0;z-index:1;background:#e4e8f0;width:2em;text-align:center}"
    "thead th.h{z-index:3;min-width:2em}"
    "td{min-width:9.5em;max-width:9.5em}"
    "tr{scroll-margin-top:2.2em}"
    "td[id]{scroll-margin:2.2em 0 0 2em}"
    "tr.nowrow th.h{background:#f7c948}"
    "details.p{border-bottom:1px solid #ddd;padding:.15em .25em;overflow-wrap:anywhere}"
    "details.p summary{cursor:pointer}"
    "details.p time{font-weight:bold;font-variant-numeric:tabular-nums}"
    "details.now{outline:3px solid #e0482c;outline-offset:-3px}"
    "em.air{font-style:normal;font-size:.8em;color:#fff;background:#e0482c;padding:0 .25em;border-radius:.2em}"
    "details:target{outline:3px solid #2b6fd6;outline-offset:-3px}"
    ".d p{margin:.2em 0;font-size:.9em}"
    ".d .t{white-space:pre-line;color:#444}"
    ".d .f span{border:1px solid #888;border-radius:.2em;padding:0 .15em;margin-right:.2em}"
    "a.c{display:block;font-size:.8em;color:#555;padding:0 .25em;text-decoration:none;overflow:hidden;"
    "white-space:nowrap;text-overflow:ellipsis}"
    "a.c::before{content:'\\2026  '}"
    "a.c.now{color:#e0482c;font-weight:bold}"
    "ol.hits{margin:.5em;padding-left:1.5em;overflow:auto}"
    "ol.hits li{margin:.2em 0;padding:.2em;overflow-wrap:anywhere}"
    "footer{flex:none;padding:.3em .5em;font-size:.85em;background:#e4e8f0}"
    "footer a{margin-right:.6em}"
    "@media (min-width:900px){td,thead th{min-width:10em;max-width:10em}}";

}  // namespace

std::string pageStyleSheet() {
  std::string css = kLayout;
  for (int i = 0; i < kGenreRowCount; ++i) {
    char rule[48];
    std::snprintf(rule, sizeof rule, ".g%d{background:#%06x}", kGenreTable[i].number, kGenreTable[i].colour);
    css += rule;
  }
  return css + "\n";
}

const char* pageScript() {
  return "document.addEventListener('DOMContentLoaded',function(){\n"
         "  var target=location.hash?document.getElementById(location.hash.slice(1)):null;\n"
         "  if(target&&target.tagName==='DETAILS'){target.open=true;target.scrollIntoView({block:'center'});return;}\n"
         "  var row=document.querySelector('tr.nowrow');\n"
         "  if(row&&!location.hash)row.scrollIntoView({block:'start',inline:'nearest'});\n"
         "});\n";
}

const std::string& pagePolicy() {
  static const std::string policy = "default-src 'none'; style-src " + inlineSourceHash(pageStyleSheet()) +
                                    "; script-src " + inlineSourceHash(pageScript()) +
                                    "; form-action 'self'; base-uri 'none'; frame-ancestors 'none'";
  return policy;
}
