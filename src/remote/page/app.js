'use strict';
// The web remote's page: asks for the access code, then mirrors the editor's
// mixer and sends every change the user makes. The editor decides what a
// code may change; the page only hides what it could not.

(function () {
  const TEXT = {
    1: {
      title: 'Mixer remote', console: 'Console', monitor: 'My monitor mix', code: 'Access code', open: 'Open',
      refused: 'Wrong code.', locked: 'Too many wrong codes. Wait {s} s.', ended: 'The session was ended at the editor.',
      lost: 'Connection lost, reconnecting…', bad: 'The editor did not understand the page.', mute: 'MUTE',
      solo: 'SOLO', main: 'MAIN', aux: 'AUX', master: 'Master', other: '中文', denied: 'Not allowed with this code.',
    },
    2: {
      title: '调音台遥控', console: '调音台', monitor: '我的返听', code: '访问码', open: '打开',
      refused: '访问码错误。', locked: '错误次数过多，请等待 {s} 秒。', ended: '会话已在编辑器中结束。',
      lost: '连接中断，正在重连…', bad: '编辑器无法识别页面的消息。', mute: '静音',
      solo: '独奏', main: '主输出', aux: '辅助', master: '总音量', other: 'English', denied: '此访问码不允许该操作。',
    },
  };
  const SEND_INTERVAL_MS = 50;  // a dragged control sends at most 20 times a second
  const LEVEL_MAX = 70;
  const PAN_MAX = 200;

  const $ = (id) => document.getElementById(id);
  let lang = Number(localStorage.getItem('lang')) || (navigator.language.startsWith('zh') ? 2 : 1);
  let langChosen = localStorage.getItem('lang') !== null;
  let socket = null;
  let code = sessionStorage.getItem('code') || '';
  let role = null;             // 0 the engineer, 1..6 a monitor
  let aux = 1;                 // the AUX the monitor view shows
  let view = 'console';
  let faderTable = [];         // fader position 0 (top) .. 186 per level
  const strips = [];
  const outs = [];
  const controls = new Map();  // key -> control

  function t(key) { return TEXT[lang][key]; }

  function dB(level) {
    if (level <= 0) return '-∞';
    const d = level - 60;
    return (d > 0 ? '+' : '') + d;
  }

  // A control mirrors one value of the mixer; while a finger holds it the
  // editor's updates wait until it is let go.
  function makeControl(key, element, options) {
    const c = { key, element, value: 0, held: false, waiting: null, lastSent: 0, timer: null, ...options };
    controls.set(key, c);
    return c;
  }

  function setValue(c, value) {
    if (c.held) { c.waiting = value; return; }
    c.value = value;
    c.render(c);
  }

  function send(message) {
    if (socket && socket.readyState === WebSocket.OPEN) socket.send(JSON.stringify(message));
  }

  function sendControl(c) {
    clearTimeout(c.timer);
    c.timer = null;
    c.lastSent = performance.now();
    send(c.message(c.value));
  }

  function changeByUser(c, value) {
    if (value === c.value) return;
    c.value = value;
    c.render(c);
    const wait = SEND_INTERVAL_MS - (performance.now() - c.lastSent);
    if (wait <= 0) sendControl(c);
    else if (!c.timer) c.timer = setTimeout(() => sendControl(c), wait);
  }

  function levelFromFraction(f) {
    // The level whose fader position is nearest, as the window's faders pick it.
    const top = faderTable[LEVEL_MAX];
    const want = faderTable[0] - f * (faderTable[0] - top);
    let best = 0;
    for (let l = 1; l <= LEVEL_MAX; l++) {
      if (Math.abs(faderTable[l] - want) < Math.abs(faderTable[best] - want)) best = l;
    }
    return best;
  }

  function fractionOfLevel(level) {
    const top = faderTable[LEVEL_MAX];
    return (faderTable[0] - faderTable[level]) / (faderTable[0] - top);
  }

  function bindDrag(c, vertical, toValue) {
    const el = c.element;
    const at = (ev) => {
      const r = el.getBoundingClientRect();
      const f = vertical ? 1 - (ev.clientY - r.top - 8) / (r.height - 16) : (ev.clientX - r.left - 8) / (r.width - 16);
      return toValue(Math.min(1, Math.max(0, f)));
    };
    el.addEventListener('pointerdown', (ev) => {
      el.setPointerCapture(ev.pointerId);
      c.held = true;
      el.classList.add('held');
      changeByUser(c, at(ev));
    });
    el.addEventListener('pointermove', (ev) => { if (c.held) changeByUser(c, at(ev)); });
    const release = () => {
      if (!c.held) return;
      c.held = false;
      el.classList.remove('held');
      if (c.timer) sendControl(c);
      if (c.waiting !== null) {
        const v = c.waiting;
        c.waiting = null;
        setValue(c, v);
      }
    };
    el.addEventListener('pointerup', release);
    el.addEventListener('pointercancel', release);
  }

  function el(tag, cls, parent) {
    const e = document.createElement(tag);
    if (cls) e.className = cls;
    if (parent) parent.appendChild(e);
    return e;
  }

  function fader(key, parent, message, valueBox) {
    const box = el('div', 'fader', parent);
    el('div', 'thumb', box);
    const c = makeControl(key, box, {
      message,
      render: (c) => {
        box.firstChild.style.top = 'calc(8px + ' + ((1 - fractionOfLevel(c.value)) * 100).toFixed(2) + '% - ' +
          ((1 - fractionOfLevel(c.value)) * 16).toFixed(2) + 'px)';
        box.dataset.level = c.value;
        if (valueBox) valueBox.textContent = dB(c.value);
      },
    });
    bindDrag(c, true, levelFromFraction);
    return c;
  }

  function slider(key, parent, max, message, valueBox, label) {
    const box = el('div', 'hslider', parent);
    el('div', 'thumb', box);
    const c = makeControl(key, box, {
      message,
      render: (c) => {
        const f = max === LEVEL_MAX ? fractionOfLevel(c.value) : c.value / max;
        box.firstChild.style.left = 'calc(8px + ' + (f * 100).toFixed(2) + '% - ' + (f * 16).toFixed(2) + 'px)';
        box.dataset.level = c.value;
        if (valueBox) valueBox.textContent = label(c.value);
      },
    });
    bindDrag(c, false, max === LEVEL_MAX ? levelFromFraction : (f) => Math.round(f * max));
    return c;
  }

  function toggle(key, parent, cls, message) {
    const b = el('button', cls, parent);
    b.type = 'button';
    const c = makeControl(key, b, {
      message,
      render: (c) => { b.classList.toggle('on', c.value === 1); b.setAttribute('aria-pressed', c.value === 1); },
    });
    b.addEventListener('click', () => { c.value = c.value ? 0 : 1; c.render(c); sendControl(c); });
    return c;
  }

  function panLabel(v) {
    return v === 100 ? 'C' : v < 100 ? 'L' + (100 - v) : 'R' + (v - 100);
  }

  function buildConsole() {
    const box = $('strips');
    box.textContent = '';
    for (const s of strips) {
      const col = el('div', 'strip', box);
      col.id = 'strip-' + s.i;
      const name = el('div', 'name', col);
      name.dataset.name = 'strip-' + s.i;
      const value = el('div', 'value', col);
      const fb = el('div', 'faderbox', col);
      fader('level-' + s.i, fb, (v) => ({ t: 'set', c: 'level', i: s.i, v }), value);
      const meter = el('div', 'meter', fb);
      meter.id = 'meter-s' + s.i;
      el('div', 'bar', meter);
      toggle('mute-' + s.i, col, 'mute', (v) => ({ t: 'set', c: 'mute', i: s.i, v }));
      toggle('solo-' + s.i, col, 'solo', (v) => ({ t: 'set', c: 'solo', i: s.i, v }));
      slider('pan-' + s.i, col, PAN_MAX, (v) => ({ t: 'set', c: 'pan', i: s.i, v }), null, panLabel);
    }
    const main = outs.find((o) => o.o === 0);
    if (!main) return;
    const col = el('div', 'strip master', box);
    col.id = 'out-0';
    const name = el('div', 'name', col);
    name.dataset.name = 'out-0';
    const value = el('div', 'value', col);
    const fb = el('div', 'faderbox', col);
    fader('out_level-0', fb, (v) => ({ t: 'set', c: 'out_level', i: 0, v }), value);
    for (const side of [0, 1]) {
      const meter = el('div', 'meter', fb);
      meter.id = 'meter-o' + side;
      el('div', 'bar', meter);
    }
    toggle('out_mute-0', col, 'mute', (v) => ({ t: 'set', c: 'out_mute', i: 0, v }));
    el('button', 'solo', col).disabled = true;
    slider('balance-0', col, PAN_MAX, (v) => ({ t: 'set', c: 'balance', i: 0, v }), null, panLabel);
  }

  function buildMonitor() {
    const pick = $('aux-pick');
    pick.textContent = '';
    if (role === 0) {
      for (let a = 1; a <= 6; a++) {
        const b = el('button', a === aux ? 'chosen' : '', pick);
        b.type = 'button';
        b.id = 'pick-' + a;
        b.dataset.aux = a;
        b.addEventListener('click', () => { aux = a; buildMonitor(); applyAll(); });
      }
    }
    const master = $('aux-master');
    master.textContent = '';
    const row = el('div', 'row master', master);
    row.id = 'aux-row';
    el('div', 'name', row).dataset.name = 'out-' + aux;
    const mv = el('div', 'value');
    slider('aux_level', row, LEVEL_MAX, (v) => ({ t: 'set', c: 'out_level', i: aux, v }), mv, dB);
    row.appendChild(mv);
    toggle('aux_mute', row, 'mute', (v) => ({ t: 'set', c: 'out_mute', i: aux, v }));
    const list = $('sends');
    list.textContent = '';
    for (const s of strips) {
      const r = el('div', 'row', list);
      r.id = 'send-' + s.i;
      el('div', 'name', r).dataset.name = 'strip-' + s.i;
      const v = el('div', 'value');
      slider('send-' + s.i, r, LEVEL_MAX, (value) => ({ t: 'set', c: 'send', i: s.i, a: aux, v: value }), v, dB);
      r.appendChild(v);
    }
    labels();
  }

  function sendOf(s) { return role === 0 ? s.a[aux - 1] : s.x; }

  function applyStrip(s) {
    document.querySelectorAll('[data-name="strip-' + s.i + '"]').forEach((n) => { n.textContent = s.n; });
    const set = (key, v) => { const c = controls.get(key); if (c && v !== undefined) setValue(c, v); };
    set('level-' + s.i, s.l);
    set('mute-' + s.i, s.m);
    set('solo-' + s.i, s.s);
    set('pan-' + s.i, s.p);
    set('send-' + s.i, sendOf(s));
  }

  function applyOut(o) {
    document.querySelectorAll('[data-name="out-' + o.o + '"]').forEach((n) => { n.textContent = o.n; });
    const set = (key, v) => { const c = controls.get(key); if (c) setValue(c, v); };
    if (o.o === 0) {
      set('out_level-0', o.l);
      set('out_mute-0', o.m);
      set('balance-0', o.p);
    }
    if (o.o === aux) {
      set('aux_level', o.l);
      set('aux_mute', o.m);
    }
  }

  function applyAll() {
    strips.forEach(applyStrip);
    outs.forEach(applyOut);
  }

  function merge(list, items, key) {
    for (const item of items) {
      const at = list.findIndex((x) => x[key] === item[key]);
      if (at >= 0) list[at] = item;
      else list.push(item);
    }
  }

  function meters(m) {
    const bar = (id, v) => { const e = $(id); if (e) e.firstChild.style.height = v + '%'; };
    m.s.forEach((v, i) => bar('meter-s' + i, v));
    if (role === 0) { bar('meter-o0', m.o[0]); bar('meter-o1', m.o[1]); }
  }

  function labels() {
    document.documentElement.lang = lang === 2 ? 'zh-CN' : 'en';
    document.title = t('title');
    $('title').textContent = t('title');
    $('tab-console').textContent = t('console');
    $('tab-monitor').textContent = t('monitor');
    $('lang').textContent = t('other');
    $('code-label').textContent = t('code');
    $('open').textContent = t('open');
    document.querySelectorAll('button.mute').forEach((b) => { b.textContent = t('mute'); });
    document.querySelectorAll('button.solo').forEach((b) => { b.textContent = t('solo'); });
    document.querySelectorAll('#aux-pick button').forEach((b) => { b.textContent = t('aux') + ' ' + b.dataset.aux; });
    const masterName = $('aux-row');
    if (masterName) masterName.title = t('master');
  }

  function show(which) {
    view = which;
    $('login').hidden = which !== 'login';
    $('console').hidden = which !== 'console';
    $('monitor').hidden = which !== 'monitor';
    $('views').hidden = which === 'login' || role !== 0;
    $('tab-console').classList.toggle('chosen', which === 'console');
    $('tab-monitor').classList.toggle('chosen', which === 'monitor');
    meterSwitch();
  }

  function meterSwitch() {
    send({ t: 'meters', on: document.visibilityState === 'visible' && view !== 'login' });
  }

  function status(text) { $('status').textContent = text || ''; }

  function loginMessage(text) {
    $('login-msg').textContent = text;
    show('login');
  }

  function onMessage(ev) {
    let m;
    try { m = JSON.parse(ev.data); } catch (e) { return; }
    if (m.t === 'welcome') {
      role = m.aux;
      aux = role === 0 ? aux : role;
      faderTable = m.fader;
      if (!langChosen) lang = m.lang === 2 ? 2 : 1;
      strips.length = 0;
      outs.length = 0;
      merge(strips, m.strips, 'i');
      merge(outs, m.outs, 'o');
      sessionStorage.setItem('code', code);
      controls.clear();
      buildConsole();
      buildMonitor();
      applyAll();
      status('');
      $('login-msg').textContent = '';
      show(role === 0 ? (view === 'monitor' ? 'monitor' : 'console') : 'monitor');
    } else if (m.t === 'chg') {
      merge(strips, m.strips, 'i');
      merge(outs, m.outs, 'o');
      m.strips.forEach(applyStrip);
      m.outs.forEach(applyOut);
    } else if (m.t === 'm') {
      meters(m);
    } else if (m.t === 'refused' || m.t === 'locked') {
      forget();
      loginMessage(t(m.t).replace('{s}', m.v));
    } else if (m.t === 'ended') {
      forget();
      loginMessage(t('ended'));
    } else if (m.t === 'denied' || m.t === 'bad') {
      status(t(m.t));
    }
  }

  function forget() {
    code = '';
    sessionStorage.removeItem('code');
  }

  let retry = null;
  function connect() {
    clearTimeout(retry);
    if (socket) { socket.onclose = null; socket.close(); }
    const ws = new WebSocket('ws://' + location.host + '/live');
    socket = ws;
    ws.onopen = () => { if (code) ws.send(JSON.stringify({ t: 'hello', code })); };
    ws.onmessage = onMessage;
    ws.onclose = () => {
      if (socket !== ws) return;
      socket = null;
      if (!code) return;
      status(t('lost'));
      retry = setTimeout(connect, 1000);
    };
  }

  function login(given) {
    // A fresh connection for every code given: the editor takes one code per session.
    code = given;
    connect();
  }

  $('login-form').addEventListener('submit', (ev) => {
    ev.preventDefault();
    const given = $('code').value.trim();
    if (/^[0-9]{6}$/.test(given)) login(given);
    else loginMessage(t('refused'));
  });
  $('lang').addEventListener('click', () => {
    lang = lang === 1 ? 2 : 1;
    langChosen = true;
    localStorage.setItem('lang', lang);
    labels();
  });
  document.querySelectorAll('#views button').forEach((b) => b.addEventListener('click', () => show(b.dataset.view)));
  document.addEventListener('visibilitychange', meterSwitch);

  // A code in the address (from the QR code) opens the page at once and is
  // then taken out of the address, so it stays in no history or bookmark.
  const fromAddress = /^#code=([0-9]{6})$/.exec(location.hash);
  if (fromAddress) {
    code = fromAddress[1];
    history.replaceState(null, '', location.pathname);
  }
  labels();
  show('login');
  if (code) connect();
})();
