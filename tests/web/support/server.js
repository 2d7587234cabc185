// Serves the web build on 127.0.0.1 for the whole run (the shipped site under
// /site/, the logged program under /tests/web/logged/) and tells the tests
// where, in TEMPERAMENT_URL.
const { serve } = require('./serve');

module.exports = async () => {
  const { address, stop } = await serve(process.env.TEMPERAMENT_WEB_BUILD);
  process.env.TEMPERAMENT_URL = address;
  return stop;
};
