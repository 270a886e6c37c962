// The page: the form of a section, its materials and actions; each change checked by the
// library, then run through the program quilex in the module's memory, with its results
// block, verdict and picture; the combinations run through quilex-combos; the input files
// opened and downloaded. Every number shown comes from the module's files.
"use strict";

(async () => {
  const S = window.QuilexSections;
  const $ = (id) => document.getElementById(id);
  const RUN = "/run";            // the single verification's folder
  const COMBOS = "/combinations"; // quilex-combos's folder

  let q;
  try {
    q = await createQuilex();
  } catch (error) {
    $("loading").textContent = "The computation could not be loaded: " + error;
    return;
  }
  for (const folder of [RUN, COMBOS]) q.FS.mkdir(folder);
  const write = (path, text) => q.FS.writeFile(path, text);
  // A file of the module's memory, as bytes or as text; null when it is not there.
  const readBytes = (path, options) => {
    try {
      return q.FS.readFile(path, options);
    } catch (error) {
      return null;
    }
  };
  const read = (path) => readBytes(path, {encoding: "utf8"});
  const remove = (path) => { try { q.FS.unlink(path); } catch (error) { /* not there */ } };

  const materials = q.materialNames();
  $("version").textContent = "Version " + q.version() + ".";
  $("footer-version").textContent = q.version();

  // ----- The form -----
  const state = {type: "R", values: {}, lists: {}, optional: {}, actions: {}};

  function fieldInput(field, value, onInput) {
    const label = document.createElement("label");
    label.className = "field";
    label.title = field.title || "";
    const name = document.createElement("span");
    name.className = "name";
    name.textContent = field.label;
    const input = document.createElement("input");
    input.type = "text";
    input.inputMode = "decimal";
    input.autocomplete = "off";
    input.spellcheck = false;
    input.dataset.field = field.key;
    input.value = value ?? "";
    input.addEventListener("input", () => onInput(field.key, input.value));
    const unit = document.createElement("span");
    unit.className = "unit";
    unit.textContent = field.unit;
    const message = document.createElement("span");
    message.className = "message";
    message.dataset.messageFor = field.key;
    message.setAttribute("role", "alert");
    input.setAttribute("aria-describedby", "");
    label.append(name, input, unit, message);
    return label;
  }

  function listInput(list, value) {
    const label = document.createElement("label");
    label.className = "list";
    const name = document.createElement("span");
    name.className = "name";
    name.textContent = `${list.label} (${list.unit})`;
    const area = document.createElement("textarea");
    area.rows = 6;
    area.spellcheck = false;
    area.dataset.field = list.key;
    area.value = value ?? "";
    area.addEventListener("input", () => { state.lists[list.key] = area.value; edited(); });
    const message = document.createElement("span");
    message.className = "message";
    message.dataset.messageFor = list.key;
    message.setAttribute("role", "alert");
    label.append(name, area, message);
    return label;
  }

  function buildSectionFields() {
    const def = S.TYPES[state.type];
    const box = $("section-fields");
    box.replaceChildren();
    const onInput = (key, value) => { state.values[key] = value; edited(); };
    for (const record of def.records) {
      const row = document.createElement("div");
      row.className = "grid";
      for (const field of record) row.append(fieldInput(field, state.values[field.key], onInput));
      box.append(row);
    }
    for (const list of def.lists || []) box.append(listInput(list, state.lists[list.key]));
    for (const record of def.optional || []) {
      const set = document.createElement("fieldset");
      const legend = document.createElement("legend");
      const toggle = document.createElement("input");
      toggle.type = "checkbox";
      toggle.dataset.optional = record.key;
      toggle.checked = !!state.optional[record.key];
      const toggleLabel = document.createElement("label");
      toggleLabel.append(toggle, " " + record.label);
      legend.append(toggleLabel);
      const row = document.createElement("div");
      row.className = "grid";
      for (const field of record.fields) row.append(fieldInput(field, state.values[field.key], onInput));
      row.hidden = !toggle.checked;
      toggle.addEventListener("change", () => {
        state.optional[record.key] = toggle.checked;
        row.hidden = !toggle.checked;
        edited();
      });
      set.append(legend, row);
      box.append(set);
    }
  }

  function buildActionFields() {
    const box = $("action-fields");
    box.replaceChildren();
    const fields = S.ACTIONS[S.isBiaxial(state.type) ? "biaxial" : "plane"];
    for (const field of fields) {
      box.append(fieldInput(field, state.actions[field.key], (key, value) => {
        state.actions[key] = value;
        edited();
      }));
    }
  }

  function fillSelect(select, names, chosen) {
    select.replaceChildren(...names.map((name) => new Option(name, name)));
    if (names.includes(chosen)) select.value = chosen;
  }
  function fillSteels(chosen) {
    fillSelect($("steel"), materials.steels[$("code").value], chosen);
  }
  fillSelect($("code"), materials.codes, "IT");
  fillSteels("B450C");
  fillSelect($("concrete"), materials.concretes, "C25/30");
  $("code").addEventListener("change", () => { fillSteels($("steel").value); edited(); });
  for (const id of ["steel", "concrete", "echo"]) $(id).addEventListener("change", () => edited());
  $("type").addEventListener("change", () => {
    state.type = $("type").value;
    buildSectionFields();
    buildActionFields();
    edited();
  });

  // ----- The files of what is on screen -----
  const files = () => ({
    "sezi.txt": S.composeSezi(state.type, state.values, state.lists, state.optional),
    "mate.txt": S.composeMate($("code").value, $("steel").value, $("concrete").value),
    "slu-max.txt": S.composeSlu(state.type, state.actions),
    "parm.txt": $("echo").value + "\n",
  });

  // ----- Checks: the page's own (a value typed whole), then the library's -----
  function showMessages(container, problems) {
    container.querySelectorAll("[data-message-for]").forEach((m) => { m.textContent = ""; });
    container.querySelectorAll("[data-field]").forEach((i) => i.removeAttribute("aria-invalid"));
    const general = [];
    for (const {field, message} of problems) {
      const key = [...container.querySelectorAll("[data-message-for]")]
          .map((m) => m.dataset.messageFor)
          .filter((k) => field === k || field.startsWith(k + "[") || field.startsWith(k + "."))
          .sort((a, b) => b.length - a.length)[0];
      const target = key && container.querySelector(`[data-message-for="${CSS.escape(key)}"]`);
      if (target) {
        target.textContent = target.textContent ? target.textContent + "; " + message : message;
        container.querySelector(`[data-field="${CSS.escape(key)}"]`)?.setAttribute("aria-invalid", "true");
      } else general.push(message);
    }
    return general;
  }

  function typedProblems() {
    const def = S.TYPES[state.type];
    const problems = [];
    const check = (field, text) => {
      const problem = S.checkNumber(text ?? "", field.integer);
      if (problem) problems.push({field: field.key, message: problem});
    };
    for (const record of def.records) for (const field of record) check(field, state.values[field.key]);
    for (const list of def.lists || []) {
      for (const message of S.parseList(state.lists[list.key] || "", list).problems) {
        problems.push({field: list.key, message});
      }
    }
    for (const record of def.optional || []) {
      if (state.optional[record.key]) for (const field of record.fields) check(field, state.values[field.key]);
    }
    return problems;
  }

  function actionProblems() {
    const problems = [];
    for (const field of S.ACTIONS[S.isBiaxial(state.type) ? "biaxial" : "plane"]) {
      const problem = S.checkNumber(state.actions[field.key] ?? "", false);
      if (problem) problems.push({field: field.key, message: problem});
    }
    return problems;
  }

  // ----- The run -----
  let lastRun = null;
  function clearResults(why) {
    lastRun = null;
    $("verdict").className = "verdict pending";
    $("verdict").textContent = why;
    $("results-block").textContent = "";
    $("domain-picture").replaceChildren();
    $("message-run").textContent = "";
  }

  function svgElement(text) {
    const start = text.indexOf("<svg");
    const holder = document.createElement("div");
    holder.innerHTML = start >= 0 ? text.slice(start) : "";
    return holder.firstElementChild;
  }

  function changed() {
    const typed = typedProblems();
    const input = files();
    let sectionProblems = typed;
    if (typed.length === 0) {
      const checked = q.checkSection(input["sezi.txt"]);
      sectionProblems = checked.error ? [{field: "", message: checked.error}] : checked;
    }
    $("message-section").textContent = showMessages($("section-panel"), sectionProblems).join("; ");
    // Drawn only when whole: a half-typed value would draw a section that is not one.
    if (sectionProblems.length === 0) {
      const drawing = q.drawSection(input["sezi.txt"]);
      if (drawing.svg) $("section-drawing").replaceChildren(svgElement(drawing.svg));
    }

    let actions = actionProblems();
    if (actions.length === 0) {
      const checked = q.checkActions(input["slu-max.txt"], S.isBiaxial(state.type));
      actions = checked.error ? [{field: "", message: checked.error}] : checked;
    }
    $("message-actions").textContent = showMessages($("action-fields"), actions).join("; ");

    if (sectionProblems.length > 0 || actions.length > 0) {
      clearResults("Not computed: a value above needs attention.");
      return;
    }
    // An opened file the form could not take: what is on screen is not that file.
    if (unshownFile) {
      clearResults(`Not computed: ${unshownFile} Change a value, or open the files again.`);
      return;
    }
    verify(input);
  }
  let unshownFile = "";
  // A change by hand: the form is now what the user works on.
  const edited = () => { unshownFile = ""; changed(); };

  function verify(input) {
    for (const name of ["risu.txt", "risu-MN.txt", "domplot.txt"]) remove(`${RUN}/${name}`);
    for (const [name, text] of Object.entries(input)) write(`${RUN}/${name}`, text);
    const run = q.runProgram(RUN);
    lastRun = {svg: null};
    $("results-block").textContent = (read(`${RUN}/risu-MN.txt`) ?? "").replace(/\r\n/g, "\n");
    $("message-run").textContent = run.error || run.out;

    // A run that did not end in order (a file not written, no memory) has no verdict.
    const verdict = run.status === 0 ? q.verdict(RUN) : {error: "the run did not end in order."};
    const box = $("verdict");
    if (verdict.error) {
      box.className = "verdict failed";
      box.textContent = "Not verified: " + verdict.error;
    } else if (verdict.verified) {
      box.className = "verdict verified";
      box.textContent = "The section is verified: bending verified, shear verified.";
    } else {
      box.className = "verdict failed";
      box.textContent = `The section is not verified: bending ${verdict.bending.length ? "not verified" : "verified"}, ` +
          `shear ${verdict.shear.length ? "not verified" : "verified"} (${verdict.reason}).`;
    }
    const plot = q.runPlot(["--output", "-", RUN].join("\n"));
    if (plot.status === 0) {
      lastRun.svg = plot.out;
      $("domain-picture").replaceChildren(svgElement(plot.out));
    } else {
      $("domain-picture").replaceChildren();
      const note = document.createElement("p");
      note.className = "meta";
      note.textContent = "No picture: " + (plot.err || plot.error || "").replace(/^quilex-plot: /, "");
      $("domain-picture").append(note);
    }
  }

  // ----- Filling the form from files -----
  function loadFiles(texts) {
    const problems = [];
    const named = (file, message) => (message.startsWith(file) ? message : `${file}: ${message}`);
    if (texts["sezi.txt"] !== undefined) {
      const section = q.readSectionFields(texts["sezi.txt"]);
      if (section.error) problems.push(named("sezi.txt", section.error));
      else {
        const form = S.formOf(section);
        Object.assign(state, {type: form.type, values: form.values, lists: form.lists, optional: form.optional});
        $("type").value = form.type;
      }
    }
    if (texts["mate.txt"] !== undefined) {
      const names = q.readMaterialNames(texts["mate.txt"]);
      if (names.error) problems.push(named("mate.txt", names.error));
      else {
        $("code").value = names.code;
        fillSteels(names.steel);
        $("concrete").value = names.concrete;
        if ($("code").value !== names.code || $("steel").value !== names.steel ||
            $("concrete").value !== names.concrete) {
          problems.push(`mate.txt: ${names.code} ${names.steel} ${names.concrete} is not in the database`);
        }
      }
    }
    if (texts["slu-max.txt"] !== undefined) {
      const actions = q.readActions(texts["slu-max.txt"], S.isBiaxial(state.type));
      if (actions.error) problems.push(named("slu-max.txt", actions.error));
      else state.actions = Object.fromEntries(Object.entries(actions).map(([k, v]) => [k, String(v)]));
    }
    if (texts["parm.txt"] !== undefined) {
      $("echo").value = /^\s*0/.test(texts["parm.txt"]) ? "0" : "1";
    }
    if (texts["combinations.csv"] !== undefined) $("combinations").value = texts["combinations.csv"];
    buildSectionFields();
    buildActionFields();
    $("message-files").textContent = problems.join("; ");
    unshownFile = problems.length ? problems.join("; ") + "." : "";
    changed();
    document.body.dataset.loads = String(Number(document.body.dataset.loads || 0) + 1);
  }

  async function openFiles(list) {
    const texts = {};
    const known = ["sezi.txt", "mate.txt", "slu-max.txt", "parm.txt", "combinations.csv"];
    const ignored = [];
    for (const file of list) {
      if (known.includes(file.name)) texts[file.name] = await file.text();
      else ignored.push(file.name);
    }
    loadFiles(texts);
    if (ignored.length) $("message-files").textContent += " Not a run folder's input: " + ignored.join(", ");
  }
  $("open-files").addEventListener("change", async (e) => {
    await openFiles(e.target.files);
    e.target.value = "";  // the same files chosen again are read again
  });
  const zone = $("drop-zone");
  zone.addEventListener("dragover", (e) => { e.preventDefault(); zone.classList.add("over"); });
  zone.addEventListener("dragleave", () => zone.classList.remove("over"));
  zone.addEventListener("drop", (e) => {
    e.preventDefault();
    zone.classList.remove("over");
    openFiles(e.dataTransfer.files);
  });
  zone.addEventListener("keydown", (e) => {
    if (e.key === "Enter" || e.key === " ") { e.preventDefault(); $("open-files").click(); }
  });

  function download(name, bytes, type = "text/plain") {
    const url = URL.createObjectURL(new Blob([bytes], {type}));
    const a = document.createElement("a");
    a.href = url;
    a.download = name;
    document.body.append(a);
    a.click();
    a.remove();
    setTimeout(() => URL.revokeObjectURL(url), 1000);
  }
  document.querySelectorAll("[data-download]").forEach((button) => {
    button.addEventListener("click", () => {
      const name = button.dataset.download;
      const input = files();
      if (name in input) return download(name, input[name]);
      if (!lastRun) return;
      if (name === "domplot.svg") return lastRun.svg && download(name, lastRun.svg, "image/svg+xml");
      const bytes = readBytes(`${RUN}/${name}`);
      if (bytes) download(name, bytes);
    });
  });

  // ----- Combinations -----
  function parseCsv(text) {
    const rows = [];
    for (const line of text.split("\r\n")) {
      if (line === "") continue;
      const fields = [];
      let field = "", quoted = false;
      for (let i = 0; i < line.length; ++i) {
        const ch = line[i];
        if (quoted) {
          if (ch === '"' && line[i + 1] === '"') { field += '"'; ++i; }
          else if (ch === '"') quoted = false;
          else field += ch;
        } else if (ch === '"') quoted = true;
        else if (ch === ",") { fields.push(field); field = ""; }
        else field += ch;
      }
      fields.push(field);
      rows.push(fields);
    }
    return rows;
  }

  let combinationsCsv = null;
  let sortState = {column: -1, ascending: true};
  let tableRows = [];
  let governing = {};

  function drawTable(header) {
    const table = $("combinations-table");
    table.replaceChildren();
    const head = table.createTHead().insertRow();
    header.forEach((name, column) => {
      const th = document.createElement("th");
      th.scope = "col";
      const button = document.createElement("button");
      button.type = "button";
      button.textContent = name + (sortState.column === column ? (sortState.ascending ? " ▲" : " ▼") : "");
      button.setAttribute("aria-label", `sort by ${name}`);
      button.addEventListener("click", () => {
        sortState = {column, ascending: sortState.column === column ? !sortState.ascending : true};
        const numeric = tableRows.every((r) => r[column] === "" || !isNaN(Number(r[column])));
        const key = (r) => (numeric ? Number(r[column]) : r[column]);
        tableRows.sort((a, b) => {
          const x = key(a), y = key(b);
          const order = x < y ? -1 : x > y ? 1 : a.index - b.index;
          return sortState.ascending ? order : -order;
        });
        drawTable(header);
        table.querySelector(`thead th:nth-child(${column + 1}) button`).focus();
      });
      th.append(button);
      head.append(th);
    });
    const body = table.createTBody();
    for (const row of tableRows) {
      const tr = body.insertRow();
      const marks = [];
      if (governing.bending === row.index) marks.push("bending");
      if (governing.shear === row.index) marks.push("shear");
      if (marks.length) {
        tr.className = "governing";
        tr.title = "governing for " + marks.join(" and ");
        tr.dataset.governing = marks.join(" ");
      }
      if (row[header.indexOf("verified")] === "no") tr.classList.add("not-verified");
      row.forEach((value, column) => {
        const td = tr.insertCell();
        td.textContent = value;
        if (column === 0 && marks.length) td.textContent += " ◆ governing " + marks.join(", ");
      });
    }
  }

  $("run-combinations").addEventListener("click", () => {
    combinationsCsv = null;
    $("download-combinations").disabled = true;
    $("combinations-table").replaceChildren();
    $("combinations-summary").textContent = "";
    if (typedProblems().length > 0 || unshownFile) {
      $("message-combinations").textContent = "The section above needs attention first.";
      return;
    }
    const input = files();
    for (const name of ["combinations.csv", "risu-combinations.csv"]) remove(`${COMBOS}/${name}`);
    for (const name of ["sezi.txt", "mate.txt", "parm.txt"]) write(`${COMBOS}/${name}`, input[name]);
    write(`${COMBOS}/combinations.csv`, $("combinations").value);
    // Run in the folder, as from a terminal there: its messages name the files alone.
    q.FS.chdir(COMBOS);
    const args = ["--units", $("units").value, "--exponent", $("exponent").value];
    const run = q.runCombos(args.join("\n"));
    $("message-combinations").textContent = run.error || run.err.replace(/quilex-combos: /g, "");
    $("combinations-summary").textContent = run.status === 2 ? "" : run.out;
    if (run.status === 2 || run.error) return;
    combinationsCsv = readBytes(`${COMBOS}/risu-combinations.csv`);
    if (!combinationsCsv) return;
    $("download-combinations").disabled = false;
    const rows = parseCsv(new TextDecoder().decode(combinationsCsv));
    const header = rows.shift();
    tableRows = rows.map((r, index) => Object.assign(r, {index}));
    governing = {};
    for (const line of run.out.split("\n")) {
      const m = /^governing for (bending|shear): (.*)$/.exec(line);
      if (!m) continue;
      const match = tableRows.filter((r) => m[2].startsWith(r[0] + ", "))
          .sort((a, b) => b[0].length - a[0].length)[0];
      if (match) governing[m[1]] = match.index;
    }
    sortState = {column: -1, ascending: true};
    drawTable(header);
  });
  $("download-combinations").addEventListener("click", () => {
    if (combinationsCsv) download("risu-combinations.csv", combinationsCsv, "text/csv");
  });

  // ----- The bundled example -----
  $("loading").hidden = true;
  $("page").hidden = false;
  loadFiles(window.quilexExample);
  window.quilexPage = {module: q, loadFiles, files, state};
  document.body.dataset.ready = "true";
})();
