// Serves the web build on 127.0.0.1 for the whole run (the shipped site under
// /site/, the logged program under /tests/web/logged/) and tells the tests
// where, in TEMPERAMENT_URL.
const { spawn } = require('node:child_process');
const path = require('node:path');
const readline = require('node:readline');

module.exports = async () => {
  const server = spawn(process.execPath, [path.join(__dirname, '../../../scripts/support/serve.mjs'),
    process.env.TEMPERAMENT_WEB_BUILD], { stdio: ['ignore', 'pipe', 'inherit'] });
  const [address] = await Promise.race([
    new Promise((resolve) => readline.createInterface({ input: server.stdout }).once('line', (line) => resolve([line]))),
    new Promise((_, reject) => server.once('exit', (code) => reject(new Error(`the server ended with status ${code}`)))),
  ]);
  process.env.TEMPERAMENT_URL = address;
  return async () => server.kill();
};
