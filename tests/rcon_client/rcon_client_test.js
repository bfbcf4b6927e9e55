// The RCON endpoint of `kestravel server` driven by a Source RCON client from npm and a raw socket.
// Usage: node rcon_client_test.js KESTRAVEL_TOOL NODE_MODULES_DIR VALID_CONFIG
'use strict';

const childProcess = require('child_process');
const fs = require('fs');
const net = require('net');
const os = require('os');
const path = require('path');

const [tool, modulesDir, validConfig] = process.argv.slice(2);
if (!tool || !modulesDir || !validConfig) {
    console.error('usage: node rcon_client_test.js KESTRAVEL_TOOL NODE_MODULES_DIR VALID_CONFIG');
    process.exit(2);
}

// Of the npm clients tried, this is the one that frames the TCP stream and reads the Source auth
// exchange (an empty answer, then the auth answer or id -1): rcon-srcds 2.1.1 decodes each chunk
// read as one packet, so the auth answer is lost when both packets arrive together, and
// rcon-client 4.2.5 takes the empty answer for a successful login, whatever the password.
const clientDir = path.resolve(modulesDir, 'rcon');
if (!fs.existsSync(path.join(clientDir, 'package.json'))) {
    console.log(`FAIL: the npm client is not installed in ${clientDir} (test rcon_client_install)`);
    process.exit(1);
}
const Rcon = require(clientDir);
const clientVersion = require(path.join(clientDir, 'package.json')).version;

const PASSWORD = 'secret';
const STEP_MS = 10000;  // the sanitized build is slow; a step is a few milliseconds otherwise
const TOTAL_MS = 90000;
const CLIENT_ID = 0x4b5354;  // the npm client's id for every request it sends
const AUTH = 3;
const EXEC = 2;
const AUTH_RESPONSE = 2;
const RESPONSE = 0;

class Failure extends Error {}
function check(condition, message) {
    if (!condition) throw new Failure(message);
}

function withTimeout(promise, what, ms = STEP_MS) {
    let timer;
    const expired = new Promise((_, reject) => {
        timer = setTimeout(() => reject(new Failure(`${what}: no answer within ${ms} ms`)), ms);
    });
    return Promise.race([promise, expired]).finally(() => clearTimeout(timer));
}

// Promises that settle once a condition over what has arrived holds, tried at each arrival.
class Waiters {
    constructor() {
        this.pending = [];
    }

    until(ready, what) {
        return withTimeout(
            new Promise((resolve) => {
                const settle = () => ready() && (resolve(), true);
                if (!settle()) this.pending.push(settle);
            }),
            what);
    }

    notify() {
        this.pending = this.pending.filter((settle) => !settle());
    }
}

// --- the server process -------------------------------------------------------------------------

// Servers not yet stopped, killed whenever this process leaves.
const live = new Set();
process.on('exit', () => live.forEach((server) => server.kill()));

class Server {
    constructor(dir) {
        this.events = [];
        this.stderr = '';
        this.end = null;
        this.waiters = new Waiters();
        this.exit = new Promise((resolve) => {
            this.process = childProcess.spawn(
                tool,
                ['server', '--json', '--dir', dir, '--rcon-port', '0', '--rcon-password', PASSWORD],
                {stdio: ['pipe', 'pipe', 'pipe']});
            this.process.on('error', (error) => resolve({error}));
            // 'close' comes after the last output line, which 'exit' may precede.
            this.process.on('close', (code, signal) => resolve({code, signal}));
        });
        live.add(this);
        this.exit.then((end) => ((this.end = end), live.delete(this), this.waiters.notify()));
        this.process.stdin.on('error', () => {});  // a server that died is reported by its exit
        this.process.stderr.on('data', (chunk) => (this.stderr += chunk));
        let pending = '';
        this.process.stdout.on('data', (chunk) => {
            pending += chunk;
            let newline;
            while ((newline = pending.indexOf('\n')) >= 0) {
                this.take(pending.slice(0, newline));
                pending = pending.slice(newline + 1);
            }
        });
    }

    take(line) {
        let event;
        try {
            event = JSON.parse(line);
        } catch (error) {
            event = {event: 'not-json', line};
        }
        this.events.push(event);
        this.waiters.notify();
    }

    // The first event, past or to come, that `test` accepts; fails when the server exits first.
    async awaitEvent(what, test) {
        await this.waiters.until(() => this.events.some(test) || this.end !== null, what);
        const event = this.events.find(test);
        check(event, `${what}: the server ended first (${describeEnd(this.end || {})})`);
        return event;
    }

    write(text) {
        this.process.stdin.write(text);
    }

    kill() {
        if (this.process.exitCode === null && this.process.signalCode === null) {
            this.process.kill('SIGKILL');
        }
    }

    report() {
        return `events:\n${this.events.map((e) => '  ' + JSON.stringify(e)).join('\n')}` +
            `\nstderr:\n${this.stderr}`;
    }
}

function describeEnd(end) {
    if (end.error) return `could not start: ${end.error.message}`;
    return end.signal ? `killed by ${end.signal}` : `exit status ${end.code}`;
}

// --- the npm client -----------------------------------------------------------------------------

// One authenticated connection of the npm client. The client sends every request with its own id
// and reports a packet with any other id as 'server', so an answer under a wrong id is caught.
class Client {
    constructor(port, password, id) {
        this.rcon = new Rcon('127.0.0.1', port, password, {id});
        this.responses = [];
        this.foreign = [];
        this.errors = [];
        this.ended = false;
        this.waiters = new Waiters();
        const notify = () => this.waiters.notify();
        this.rcon.on('response', (text) => (this.responses.push(text), notify()));
        this.rcon.on('server', (text) => (this.foreign.push(text), notify()));
        this.rcon.on('error', (error) => (this.errors.push(error), notify()));
        this.rcon.on('end', () => ((this.ended = true), notify()));
        this.rcon.on('auth', () => ((this.authenticated = true), notify()));
    }

    async connect(what) {
        this.rcon.connect();
        await this.waiters.until(() => this.authenticated || this.settled(), what);
    }

    // The client sends no empty response packet (its type 0 becomes 2), so the answer is the
    // next response: one packet per command here. The mirrored packet is tried on a raw socket.
    async command(text) {
        const start = this.responses.length;
        this.rcon.send(text, EXEC);
        await this.waiters.until(() => this.responses.length > start || this.settled(), text);
        check(this.errors.length === 0, `"${text}": the client reported ${this.errors[0]}`);
        const foreign = JSON.stringify(this.foreign);
        check(this.foreign.length === 0, `"${text}": answered under another id: ${foreign}`);
        check(!this.ended, `"${text}": the server closed the connection`);
        return this.responses[start];
    }

    // Something ended the wait for an answer other than the answer.
    settled() {
        return this.foreign.length > 0 || this.errors.length > 0 || this.ended;
    }

    close() {
        this.rcon.disconnect();
    }
}

// --- raw packets --------------------------------------------------------------------------------

function packet(id, type, body) {
    const bytes = Buffer.from(body, 'utf8');
    const buffer = Buffer.alloc(14 + bytes.length);
    buffer.writeInt32LE(10 + bytes.length, 0);
    buffer.writeInt32LE(id, 4);
    buffer.writeInt32LE(type, 8);
    bytes.copy(buffer, 12);
    return buffer;
}

// A socket that hands out whole packets in the order they came, and tells when it closes.
class RawConnection {
    constructor(port) {
        this.packets = [];
        this.closed = false;
        this.waiters = new Waiters();
        this.socket = net.connect(port, '127.0.0.1');
        this.socket.on('error', () => {});  // a reset is a close here
        this.opened = withTimeout(
            new Promise((resolve) => this.socket.once('connect', resolve)),
            'connecting a raw socket');
        let buffer = Buffer.alloc(0);
        this.socket.on('data', (chunk) => {
            buffer = Buffer.concat([buffer, chunk]);
            while (buffer.length >= 4 && buffer.length >= 4 + buffer.readInt32LE(0)) {
                const size = buffer.readInt32LE(0);
                this.packets.push({
                    size,
                    id: buffer.readInt32LE(4),
                    type: buffer.readInt32LE(8),
                    body: buffer.toString('utf8', 12, 4 + size - 2),
                    terminators: buffer.readUInt16LE(4 + size - 2),
                });
                buffer = buffer.subarray(4 + size);
            }
            this.waiters.notify();
        });
        this.socket.on('close', () => ((this.closed = true), this.waiters.notify()));
    }

    send(bytes) {
        this.socket.write(bytes);
    }

    // The next `count` packets.
    async receive(count, what) {
        await this.waiters.until(() => this.packets.length >= count || this.closed, what);
        const got = this.packets.length;
        check(got >= count, `${what}: the connection closed after ${got} of ${count} packets`);
        return this.packets.splice(0, count);
    }

    async awaitClose(what) {
        await this.waiters.until(() => this.closed, `${what}: the connection stays open`);
    }

    close() {
        this.socket.destroy();
    }
}

function expectPacket(actual, expected, what) {
    const fields = ['id', 'type', 'body'];
    const differs = fields.filter((field) => actual[field] !== expected[field]);
    check(
        differs.length === 0 && actual.terminators === 0,
        `${what}: expected ${JSON.stringify(expected)}, got ${JSON.stringify(actual)}`);
}

// --- the steps ----------------------------------------------------------------------------------

async function run(server, configFile) {
    const listening =
        await server.awaitEvent('the rcon-listening event', (e) => e.event === 'rcon-listening');
    check(
        Number.isInteger(listening.port) && listening.port > 0,
        `rcon-listening names no port: ${JSON.stringify(listening)}`);
    const port = listening.port;
    const loaded = await server.awaitEvent('the plugin load', (e) => e.event === 'load');
    check(loaded.ok === true, `the plugin did not load: ${JSON.stringify(loaded)}`);
    step(`server listens on 127.0.0.1:${port}, plugin loaded`);

    const client = new Client(port, PASSWORD, CLIENT_ID);
    await client.connect('authenticating with the right password');
    check(
        client.authenticated && client.errors.length === 0,
        `the right password was refused: ${client.errors[0] || 'connection closed'}`);
    step('rcon client authenticated');

    const reloaded = await client.command('Kestravel.Reload');
    check(reloaded === 'Reloaded config', `Kestravel.Reload answered ${JSON.stringify(reloaded)}`);
    step('Kestravel.Reload answered "Reloaded config" under the request\'s id');

    const unknown = await client.command('Nope.Command now');
    check(
        unknown === 'Unknown command "Nope.Command"',
        `an unknown command answered ${JSON.stringify(unknown)}`);
    step('an unknown command is named in the answer');

    fs.writeFileSync(configFile, '{ broken');
    const broken = await client.command('Kestravel.Reload');
    check(
        broken.startsWith('[json.exception.parse_error.101] parse error at line'),
        `the reload of a broken config.json answered ${JSON.stringify(broken)}`);
    step(`a broken config.json answers ${JSON.stringify(broken)}`);

    const intruder = new Client(port, 'wrong', CLIENT_ID + 1);
    await intruder.connect('authenticating with a wrong password');
    check(!intruder.authenticated, 'a wrong password was accepted');
    const reported = intruder.errors.join('; ') || 'nothing';
    check(
        reported.includes('Authentication failed'),
        `a wrong password: the client reported ${reported}, not an authentication failure`);
    intruder.close();
    step('a wrong password: the client reports "Authentication failed"');

    // What the client hides: ids of each packet, the auth answer's two packets, silence to a
    // connection that failed to authenticate.
    const raw = new RawConnection(port);
    await raw.opened;
    raw.send(packet(71, AUTH, PASSWORD));
    const [empty, granted] = await raw.receive(2, 'raw auth');
    expectPacket(empty, {id: 71, type: RESPONSE, body: ''}, 'first packet of the auth answer');
    expectPacket(granted, {id: 71, type: AUTH_RESPONSE, body: ''}, 'the auth answer');
    raw.send(Buffer.concat([packet(72, EXEC, 'Kestravel.Reload'), packet(73, RESPONSE, '')]));
    const [answer, mirror] = await raw.receive(2, 'raw Kestravel.Reload');
    check(
        answer.id === 72 && answer.type === RESPONSE && answer.body.includes('parse_error'),
        `raw Kestravel.Reload with id 72 answered ${JSON.stringify(answer)}`);
    expectPacket(mirror, {id: 73, type: RESPONSE, body: ''}, 'the mirrored empty packet');
    raw.close();

    const refused = new RawConnection(port);
    await refused.opened;
    refused.send(packet(81, AUTH, 'wrong'));
    const [first, denied] = await refused.receive(2, 'raw auth with a wrong password');
    expectPacket(first, {id: 81, type: RESPONSE, body: ''}, 'first packet of a refusal');
    expectPacket(denied, {id: -1, type: AUTH_RESPONSE, body: ''}, 'the refusal');
    refused.send(packet(82, EXEC, 'Kestravel.Reload'));
    await new Promise((resolve) => setTimeout(resolve, 500));
    check(
        refused.packets.length === 0,
        `a connection that failed to authenticate got ${JSON.stringify(refused.packets)}`);
    refused.close();
    step('raw socket: the ids of the auth, command and mirrored packets match');
    step('raw socket: a connection that failed to authenticate gets no answer');

    const malformed = {
        'size 5': Buffer.from([5, 0, 0, 0, 1, 0, 0, 0, 2]),
        'size 5000': Buffer.concat([Buffer.from([0x88, 0x13, 0, 0]), Buffer.alloc(64, 0x41)]),
        'a body without its terminators': (() => {
            const bytes = packet(91, EXEC, 'Kestravel.Reload');
            bytes.fill(0x41, bytes.length - 2);
            return bytes;
        })(),
    };
    for (const [name, bytes] of Object.entries(malformed)) {
        const bad = new RawConnection(port);
        await bad.opened;
        bad.send(packet(90, AUTH, PASSWORD));
        await bad.receive(2, `auth before a packet of ${name}`);
        bad.send(bytes);
        await bad.awaitClose(`a packet of ${name}`);
        const leaked = bad.packets.filter((p) => p.id !== 90);
        check(leaked.length === 0, `a packet of ${name} was answered: ${JSON.stringify(leaked)}`);
    }
    step('malformed packets (size 5, size 5000, no terminators) close their connection');

    fs.copyFileSync(validConfig, configFile);
    const again = await client.command('Kestravel.Reload');
    check(
        again === 'Reloaded config',
        `after the malformed packets, Kestravel.Reload answered ${JSON.stringify(again)}`);
    step('the first client still works afterwards');
    client.close();
}

function checkEvents(server) {
    const events = server.events;
    const notJson = events.filter((e) => e.event === 'not-json');
    check(notJson.length === 0, `output lines that are no JSON: ${JSON.stringify(notJson)}`);
    const bad = events.filter((e) => ['error', 'escape', 'fault'].includes(e.event));
    check(bad.length === 0, `the server reported trouble: ${JSON.stringify(bad)}`);

    const replies = events.filter((e) => e.event === 'rcon');
    const all = JSON.stringify(replies);
    const reloads = replies.filter((e) => e.text === 'Reloaded config');
    check(
        reloads.length === 2 && reloads.every((e) => e.id === CLIENT_ID && e.type === RESPONSE),
        `expected two rcon events "Reloaded config" with id ${CLIENT_ID}: ${all}`);
    const failures = replies.filter((e) => String(e.text).includes('parse_error'));
    check(
        failures.length === 2 && failures[0].id === CLIENT_ID && failures[1].id === 72,
        `expected the parse errors as rcon events with ids ${CLIENT_ID} and 72: ${all}`);
    const logged = events.filter(
        (e) => e.event === 'log' && e.level === 'error' && String(e.text).includes('parse_error'));
    check(
        logged.length === 2,
        `expected the two failed reloads logged as errors: ${JSON.stringify(logged)}`);
    step('events: the rcon replies and two logged parse errors, no error event');

    const notices = (kind) => events.filter((e) => e.event === `rcon-${kind}`);
    check(
        notices('refused').length === 2,
        `expected two rcon-refused events: ${JSON.stringify(notices('refused'))}`);
    check(
        notices('unhandled').some((e) => e.text === 'Nope.Command now'),
        `expected an rcon-unhandled event: ${JSON.stringify(notices('unhandled'))}`);
    const malformed = notices('closed').filter((e) => /malformed/.test(e.text));
    check(
        malformed.length === 3,
        `expected three connections closed for malformed packets: ${JSON.stringify(malformed)}`);
    const last = events[events.length - 1];
    check(
        last.event === 'served' && last.reason === 'input',
        `expected the last event to be served for the end of input: ${JSON.stringify(last)}`);
    step('events: two refusals, the unknown command, three malformed packets, served to the end');
}

function step(text) {
    console.log(`ok: ${text}`);
}

// Runs `body` against a server over a fresh folder with a valid config.json. A failure carries the
// server's output, and the server never outlives the run.
async function withServer(top, name, body) {
    const dir = path.join(top, name);
    const pluginDir = path.join(dir, 'ArkApi', 'Plugins', 'Kestravel');
    fs.mkdirSync(pluginDir, {recursive: true});
    const configFile = path.join(pluginDir, 'config.json');
    fs.copyFileSync(validConfig, configFile);
    const server = new Server(dir);
    try {
        server.write('load\nserve\n');  // stdin stays open: its end stops the server
        await body(server, configFile);
    } catch (error) {
        if (error instanceof Failure) error.message += `\n${server.report()}`;
        throw error;
    } finally {
        server.kill();
    }
}

async function stopsAtEndOfInput(server, configFile) {
    await run(server, configFile);
    server.process.stdin.end();
    const end = await withTimeout(server.exit, 'the server stopping at the end of its input');
    check(end.code === 0, `the server stopping at the end of its input: ${describeEnd(end)}`);
    step('closing standard input stops the server with status 0');
    checkEvents(server);
}

async function stopsAtSigterm(server) {
    const {port} =
        await server.awaitEvent('the rcon-listening event', (e) => e.event === 'rcon-listening');
    const client = new Client(port, PASSWORD, CLIENT_ID);
    await client.connect('authenticating with the right password');
    // Requests run on the game thread between script lines and while serving: after two answers
    // in a row the server is serving, and SIGTERM is its to handle.
    for (let i = 0; i < 2; ++i) {
        const answer = await client.command('Kestravel.Reload');
        check(answer === 'Reloaded config', `Kestravel.Reload answered ${JSON.stringify(answer)}`);
    }
    server.process.kill('SIGTERM');
    const end = await withTimeout(server.exit, 'the server stopping at SIGTERM');
    check(end.code === 0, `the server stopping at SIGTERM: ${describeEnd(end)}`);
    const tail = JSON.stringify(server.events.slice(-2));
    check(
        tail === JSON.stringify([{event: 'served', reason: 'signal'}, {event: 'unload'}]),
        `expected served for the signal, then unload, at the end: ${tail}`);
    await client.waiters.until(() => client.ended, 'the client seeing its connection closed');
    step('SIGTERM stops the server with status 0, unloading the plugin and closing connections');
}

async function main() {
    console.log(`rcon ${clientVersion} (npm) against ${tool}`);
    const top = fs.mkdtempSync(path.join(os.tmpdir(), 'kestravel-rcon-'));
    const overall = setTimeout(() => {
        console.log(`FAIL: the test took longer than ${TOTAL_MS} ms`);
        live.forEach((server) => console.log(server.report()));
        process.exit(1);
    }, TOTAL_MS);
    try {
        await withServer(top, 'input', stopsAtEndOfInput);
        await withServer(top, 'signal', stopsAtSigterm);
        console.log('rcon client test passed');
    } catch (error) {
        console.log(`FAIL: ${error instanceof Failure ? error.message : error.stack}`);
        process.exitCode = 1;
    } finally {
        clearTimeout(overall);
        fs.rmSync(top, {recursive: true, force: true});
    }
    // Sockets of a failed run may still be open: leave now rather than wait for them.
    process.exit(process.exitCode || 0);
}

main();
