// The page: the point tab and the workbook tab of the window, the work done
// by the core module in a worker made from the page's own text (a blob: URL,
// so that the page works opened from a file, offline).
'use strict';
const $ = (id) => document.getElementById(id);
const workerScript = URL.createObjectURL(new Blob([$('WorkerScript').textContent], { type: 'text/javascript' }));
let worker = null;
let ready = false;
let book = null;       // {path, name, bytes}
let run = null;        // the workbook run under way (see startRun)

// The user's separators, as the window takes them from the system's locale.
const decimal = (1.5).toLocaleString().includes(',') ? ',' : '.';
const group = decimal === ',' ? '.' : ',';

// In-page message boxes, one at a time, answered with Return, Escape or a click.
const boxes = [];
let boxesShown = 0;  // on the dialog as data-shown: tells one box from the next with the same text
function showMessage(message, owner = null) {
  return new Promise((resolve) => { boxes.push({ message, resolve, owner }); if (boxes.length === 1) openBox(); });
}
// Boxes of `owner` are not shown any more (nor ever answered); the next box
// opens in place of one of them that was open.
function dropBoxes(owner) {
  const openOwned = boxes.length > 0 && boxes[0].owner === owner;
  boxes.splice(0, boxes.length, ...boxes.filter((b) => b.owner !== owner));
  if (!openOwned) return;
  $('Mensaje').close();
  if (boxes.length) openBox();
}
function openBox() {
  const { message } = boxes[0];
  $('MensajeTitulo').textContent = message.title;
  $('MensajeTexto').textContent = message.text.replace(/\r\n?/g, '\n');
  $('Mensaje').dataset.icon = message.icon;
  const two = message.buttons !== 'ok';
  $('MensajeAceptar').textContent = message.buttons === 'yesno' ? 'Sí' : 'Aceptar';
  $('MensajeCancelar').textContent = message.buttons === 'yesno' ? 'No' : 'Cancelar';
  $('MensajeCancelar').hidden = !two;
  $('Mensaje').dataset.shown = ++boxesShown;
  $('Mensaje').showModal();
  $('MensajeAceptar').focus();
}
function closeBox(ok) {
  const box = boxes.shift();
  $('Mensaje').close();
  box.resolve(ok || box.message.buttons === 'ok');
  if (boxes.length) openBox();
}
$('MensajeAceptar').addEventListener('click', () => closeBox(true));
$('MensajeCancelar').addEventListener('click', () => closeBox(false));
$('Mensaje').addEventListener('cancel', (e) => { e.preventDefault(); closeBox(false); });

// Tabs: arrows move between them, as in the window's tab strips.
function tabs(strip) {
  const all = [...strip.querySelectorAll('[role=tab]')];
  const choose = (tab) => all.forEach((t) => {
    const on = t === tab;
    t.setAttribute('aria-selected', on); t.tabIndex = on ? 0 : -1;
    $(t.getAttribute('aria-controls')).hidden = !on;
  });
  all.forEach((t, i) => {
    t.addEventListener('click', () => choose(t));
    t.addEventListener('keydown', (e) => {
      const step = e.key === 'ArrowRight' ? 1 : e.key === 'ArrowLeft' ? -1 : 0;
      if (step) { const next = all[(i + step + all.length) % all.length]; choose(next); next.focus(); }
    });
  });
}
tabs($('SSTab1'));
tabs($('SSTab2'));

// The input notation: the boxes of the other two are not typed in.
const notationBoxes = [['Textlat', 'Textlon'],
  ['Text_Gralat_i', 'Text_Minlat_i', 'Text_Seglat_i', 'Text_Gralon_i', 'Text_Minlon_i', 'Text_Seglon_i'],
  ['Text_iNorte', 'Text_iEste', 'Text_zona_1']];
const notationButtons = ['OpDecGra', 'OpGraMinSeg', 'OpUTM'];
const notation = () => notationButtons.findIndex((id) => $(id).checked);
function applyNotation() {
  notationBoxes.forEach((ids, n) => ids.forEach((id) => { $(id).readOnly = n !== notation(); }));
}
notationButtons.forEach((id) => $(id).addEventListener('change', applyNotation));
applyNotation();

const zoneIds = [12, 13, 16, 17, 18, 19, 20, 21].map((z) => 'OpZ' + z);
// As in the window: ticked, only the two zones of continental Chile can be
// chosen; clear, none. The chosen zone is never changed.
function applyForcedZone() {
  const ticked = $('Check1').checked;
  [...zoneIds, 'OpZ22'].forEach((id) => { $(id).disabled = !(ticked && (id === 'OpZ18' || id === 'OpZ19')); });
}
$('Check1').addEventListener('change', applyForcedZone);
applyForcedZone();
const direction = () => ['SIRGAS_PSAD56', 'SIRGAS_SAD69', 'PSAD56_SIRGAS', 'SAD69_SIRGAS'].find((id) => $(id).checked);
const settings = () => ({
  direction: direction(), forcedCheck: $('Check1').checked ? 1 : 0,
  zoneButton: zoneIds.findIndex((id) => $(id).checked), decimal, group,
});

// A point asked for while a run is under way waits behind it; a worker
// replaced meanwhile is asked again.
let pointAsked = null;
$('FormPunto').addEventListener('submit', (e) => {
  e.preventDefault();
  if (!ready) return;
  const n = notation();
  pointAsked = { kind: 'point', notation: n, texts: notationBoxes[n].map((id) => $(id).value), ...settings() };
  worker.postMessage(pointAsked);
});

async function pointDone(outcome) {
  for (const [id, text] of outcome.fields) $(id).value = text;
  if (outcome.message) await showMessage(outcome.message);
  if (outcome.clear) ['Text_Olat', 'Text_Olon', 'Text_ONorte', 'Text_OEste', 'Text_DeltaError', 'Text_Zona'].forEach((id) => { $(id).value = ''; });
}

// Workbooks: .xls and .ods would need LibreOffice, which no browser has.
let pendingBook = null;  // the file read, until its sheets are listed
$('Examina_exel').addEventListener('change', async () => {
  const file = $('Examina_exel').files[0];
  if (!file) return;
  // Read now and let go: choosing the same file again (saved anew in the
  // meantime) reads it again rather than keeping the old bytes.
  $('Examina_exel').value = '';
  $('cmbhoja').innerHTML = '';
  book = null;
  $('Text_excel').value = file.name;
  if (/\.(xls|ods)$/i.test(file.name)) {
    await showMessage({ title: 'Advertencia', icon: 'exclamation', buttons: 'ok',
      text: 'Este navegador no abre libros .xls ni .ods. Guarde el libro como .xlsx (Libro de Excel) y elíjalo de nuevo.' });
    return;
  }
  const bytes = await file.arrayBuffer();
  pendingBook = { name: file.name, bytes };
  worker.postMessage({ kind: 'workbook', name: file.name, bytes });
});

async function sheetsListed(m) {
  if (!pendingBook || pendingBook.name !== m.path) return;  // another file was chosen since
  if (m.listing.message) { await showMessage(m.listing.message); return; }
  book = { path: m.path, name: $('Text_excel').value, bytes: pendingBook.bytes };
  for (const name of m.listing.sheets) $('cmbhoja').add(new Option(name, name));
}

function combos() {
  const texts = [];
  for (let n = 1; n <= 34; n++) { const c = $('Combo' + n); texts.push(c ? c.value : ''); }
  return texts;
}

// A workbook run never waits for the page: the worker goes on as if every
// message were answered OK, and the page shows them one at a time in order.
// An answer that stops the run, or Cancel, sends the run again from the
// start with the answers given and the row reached: it then writes what it
// would have written had it waited there. A worker still busy is replaced.
function startRun(page) {
  if (run) return;
  if (!book) { showMessage({ title: 'Advertencia', icon: 'exclamation', buttons: 'ok', text: 'Elija un libro con Examinar.' }); return; }
  run = { request: { kind: 'batch', page, path: book.path, sheet: $('cmbhoja').value, combos: combos(), ...settings() },
    bytes: book.bytes, answers: '', reached: 0, pending: 0, done: null, busy: false };
  $('Descarga').textContent = '';
  $('AvanceBox').hidden = false;
  $('Cancel').disabled = false;
  $('Examina_exel').disabled = true;
  sendRun(0);
}
$('Ok_excel').addEventListener('click', () => startRun(0));
$('OK_GraMinSeg').addEventListener('click', () => startRun(1));
$('Ok_UTM').addEventListener('click', () => startRun(2));

// The workbook goes along each time: a worker replaced since it was chosen
// has no copy of it.
function sendRun(stopAfter) {
  if (run.busy) replaceWorker();
  run.owner = {};
  run.busy = true;
  run.pending = 0;
  run.done = null;
  worker.postMessage({ ...run.request, answers: run.answers, stopAfter, bytes: run.bytes });
}

// Runs again to where the user stopped it; its own Cancel is spent.
function runAgain(stopAfter) {
  dropBoxes(run.owner);
  $('Cancel').disabled = true;
  sendRun(stopAfter);
}

function runMessage(m) {
  const owner = run.owner;
  run.pending += 1;
  showMessage(m.message, owner).then((ok) => {
    if (!run || run.owner !== owner) return;
    run.pending -= 1;
    run.answers += ok ? '1' : '0';
    run.reached = Math.max(run.reached, m.row);
    if (!ok) runAgain(0);
    else if (!run.pending && run.done) runDone(run.done);
  });
}

// Cancel on the bar: the run ends after the last row the page has seen
// finished. Before any, there is nothing to keep: the run just ends.
$('Cancel').addEventListener('click', async () => {
  if (!run || !run.busy) return;
  if (run.reached > 0) { runAgain(run.reached); return; }
  replaceWorker();
  endRun();
  await showMessage({ title: 'Advertencia', icon: 'exclamation', buttons: 'ok',
    text: 'Se canceló la conversión antes de la primera fila: no se escribió nada y el libro elegido no cambió.' });
});

function endRun() {
  run = null;
  $('AvanceBox').hidden = true;
  $('Examina_exel').disabled = false;
}

function progress(m) {
  if (m.what === 'maximum') $('Avance').max = Math.max(1, m.value);
  else if (m.what === 'row') {
    $('Avance').value = m.value;
    $('AvanceFila').textContent = 'Fila ' + m.value;
    if (run) run.reached = Math.max(run.reached, m.value - 1);
  }
  else if (m.what === 'status') $('AvanceTexto').textContent = m.text || 'Avance';
  else if (m.what === 'finish') { $('Avance').value = 0; $('AvanceFila').textContent = ''; }
}

// The converted workbook is offered under its own name; the file chosen is
// never written.
function runDone(m) {
  endRun();
  // How the last run went, for whoever drives the page (its tests and benchmarks).
  window.lastRun = { seconds: m.seconds, end: m.result.end, converted: m.result.converted };
  if (!m.bytes) return;
  const name = m.result.output.split('/').pop();
  const link = document.createElement('a');
  link.href = URL.createObjectURL(new Blob([m.bytes]));
  link.download = name;
  link.id = 'Guardar';
  link.textContent = 'Descargar ' + name;
  $('Descarga').replaceChildren(link);
  link.click();
}

// A worker that fails (its memory exhausted by a very large workbook, say)
// is replaced, and the user told: nothing was offered, the file chosen is
// unchanged, and it must be chosen again, since its copy went with the worker.
async function workerFailed(text) {
  worker.terminate();
  pointAsked = null;  // not asked again of the new worker: it may be what failed
  const wasRunning = run !== null;
  if (run) { dropBoxes(run.owner); endRun(); }
  book = null;
  $('cmbhoja').innerHTML = '';
  $('Text_excel').value = '';
  startWorker();
  await showMessage({ title: 'Advertencia', icon: 'exclamation', buttons: 'ok',
    text: (wasRunning ? 'La conversión del libro se detuvo' : 'El trabajo se detuvo') + ': el navegador no ' +
      'pudo terminarlo (' + text + '), quizá por falta de memoria. No se descargó nada y el libro elegido no ' +
      'cambió; elíjalo de nuevo para volver a intentarlo.' });
}

async function onWorkerMessage(event) {
  if (event.target !== worker) return;  // one that failed and was replaced
  const m = event.data;
  if (m.kind === 'ready') { ready = true; document.body.dataset.ready = 'true'; }
  else if (m.kind === 'point') { pointAsked = null; pointDone(m.outcome); }
  else if (m.kind === 'sheets') sheetsListed(m);
  else if (m.kind === 'message') runMessage(m);
  else if (m.kind === 'progress') progress(m);
  else if (m.kind === 'done' && run) {
    run.busy = false;
    if (run.pending) run.done = m; else runDone(m);
  }
  else if (m.kind === 'failed') workerFailed(m.text);
}

// A worker busy with a run that is no longer wanted.
function replaceWorker() {
  worker.terminate();
  startWorker();
  if (pointAsked) worker.postMessage(pointAsked);
}

function startWorker() {
  ready = false;
  document.body.dataset.ready = 'false';
  worker = new Worker(workerScript);
  worker.onmessage = onWorkerMessage;
  worker.onerror = (event) => { event.preventDefault(); if (event.target === worker) workerFailed(event.message || 'error'); };
}
startWorker();
