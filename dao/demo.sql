-- Demo and benchmark data for the ERP tables of schema.sql, made by arithmetic on sequence
-- numbers (MariaDB's SEQUENCE engine), so the same parameters always give the same rows.
-- Run it on a database holding schema.sql, in one session, after setting any of these user
-- variables (each has a default):
--   @linhas   sale lines (receber rows), about; 3 lines to a coupon on average    default 600
--   @meses    months the sales spread over, starting at @inicio                    default 3
--   @inicio   first day of the first month                                         default '2024-01-01'
--   @empresa  company of almost every sale                                         default 45911
--   @semente  shifts the arithmetic, for another mix of the same kinds of rows     default 1
-- What it holds: four companies (one deleted, one with apagado NULL); branches, two of them
-- offices, two deleted, with codes of one, three, four and six characters, an empty code and
-- a branch without code; beneficiaries with accented names; products of every class (empty and
-- NULL included), some without bar code and some with long descriptions; coupons of one to five
-- lines, half with a prescription, some with a deleted prescription, some mixed; fiscal numbers
-- from the fiscal printer, the SAT and the invoice; lines paid off, deleted, of zero value, of
-- another company, and a few without a movment row.

SET @linhas = COALESCE(@linhas, 600);
SET @meses = GREATEST(1, COALESCE(@meses, 3));
SET @inicio = CAST(COALESCE(@inicio, '2024-01-01') AS DATE);
SET @empresa = COALESCE(@empresa, 45911);
SET @semente = COALESCE(@semente, 1);
SET @cupons = GREATEST(1, FLOOR(@linhas / 3));
SET @clientes = GREATEST(20, LEAST(20000, FLOOR(@cupons / 5)));
SET @produtos = 240;

INSERT INTO empresa (empresa_id, nome, apagado) VALUES
  (@empresa, 'Drogaria Quelvar Demonstração', 'N'),
  (@empresa + 1, 'Farmácia São José', 'N'),
  (@empresa + 2, 'Drogaria Antiga (encerrada)', 'S'),
  (@empresa + 3, 'Empresa sem situação', NULL);

INSERT INTO filial (filial_id, nome, cgc, escritorio, apagado) VALUES
  (1, 'Loja Centro', '12.345.678/0001-01', 'N', 'N'),
  (2, 'Loja Jardim América', '12.345.678/0002-84', 'N', 'N'),
  (3, 'Loja Ipiranga', '12.345.678/0003-65', 'N', 'N'),
  (4, 'Loja Boa Vista', '12.345.678/0004-46', 'N', 'N'),
  (5, 'Loja Estação (fechada)', '12.345.678/0005-27', 'N', 'S'),
  (6, 'Loja Shopping Paraná', '12.345.678/0006-08', 'N', 'N'),
  (90, 'Escritório Central', '12.345.678/0090-00', 'S', 'N'),
  (91, 'Depósito Antigo', NULL, 'S', 'S');

CREATE TABLE IF NOT EXISTS quelvar_config_filial (
  filial_id INT(11) NOT NULL DEFAULT "0",
  codigo_quelvar VARCHAR(20) NOT NULL DEFAULT "",
  PRIMARY KEY (filial_id)
);

INSERT INTO quelvar_config_filial (filial_id, codigo_quelvar) VALUES
  (1, '7'), (2, '0012'), (3, '123'), (4, '123456'), (5, '55'), (90, '');

INSERT INTO clientes (clientes_id, nome, chapa)
SELECT seq,
       CONCAT(ELT(1 + (seq * 7 + @semente) MOD 12, 'João', 'Maria', 'José', 'Antônio', 'Conceição', 'Sebastião',
                  'Luíza', 'Márcia', 'André', 'Lúcia', 'Ângela', 'Cássio'),
              ' ',
              ELT(1 + (seq * 11 + @semente) MOD 10, 'da Silva', 'Gonçalves', 'Araújo', 'Simões', 'Magalhães',
                  'Brandão', 'Pereira', 'Assunção', 'Müller', 'Damião')),
       CASE seq MOD 10
         WHEN 0 THEN NULL
         WHEN 1 THEN CONCAT('A', seq)
         WHEN 2 THEN CONCAT(LPAD(seq, 6, '0'), '-', seq MOD 9)
         ELSE CAST(100000 + seq * 37 AS CHAR)
       END
FROM seq_1_to_100000000 WHERE seq <= @clientes;

INSERT INTO produto (produto_id, classe_produto, barras, descricao)
SELECT seq,
       CASE seq MOD 7
         WHEN 0 THEN 'MED' WHEN 1 THEN 'GEN' WHEN 2 THEN 'PER' WHEN 3 THEN 'SIM'
         WHEN 4 THEN '' WHEN 5 THEN NULL ELSE ' MED'
       END,
       CASE
         WHEN seq MOD 17 = 0 THEN NULL
         WHEN seq MOD 13 = 0 THEN ''
         ELSE CONCAT('789', LPAD((seq * 7919 + @semente) MOD 10000000000, 10, '0'))
       END,
       CONCAT(ELT(1 + seq MOD 10, 'Dipirona Sódica', 'Paracetamol', 'Ibuprofeno', 'Omeprazol', 'Loção Hidratante',
                  'Sabonete Glicerinado', 'Protetor Solar FPS 50', 'Amoxicilina', 'Losartana Potássica',
                  'Vitamina C Efervescente'),
              ' ', 10 + seq MOD 490, 'mg c/ ', 10 + seq MOD 20, ' comprimidos revestidos')
FROM seq_1_to_100000000 WHERE seq <= @produtos;

-- One row per coupon (sale), the facts its lines are made from:
--   receita 0-4 live prescription on every line, 5 deleted prescription, 6 only the first line
--   with a live prescription, 7-9 none; fonte 0 fiscal printer, 1 SAT, 2 invoice.
CREATE TEMPORARY TABLE demo_cupom (
  k INT NOT NULL PRIMARY KEY,
  filial_id INT NOT NULL,
  numlanc BIGINT NOT NULL,
  clientes_id INT NOT NULL,
  empresa_id INT NOT NULL,
  datahora DATETIME NOT NULL,
  linhas INT NOT NULL,
  receita INT NOT NULL,
  fonte INT NOT NULL,
  sem_movment INT NOT NULL,
  KEY demo_cupom_lanc (filial_id, numlanc)
);

INSERT INTO demo_cupom
SELECT seq,
       1 + (seq * 5 + @semente) MOD 6,
       100000 + seq,
       1 + (seq * 31 + @semente) MOD @clientes,
       IF((seq * 13 + @semente) MOD 25 = 0, @empresa + 1, @empresa),
       TIMESTAMP(@inicio) + INTERVAL ((seq - 1) MOD @meses) MONTH
         + INTERVAL ((seq * 7919 + @semente * 101) MOD (28 * 86400)) SECOND,
       1 + (seq + @semente) MOD 5,
       (seq * 7 + @semente) MOD 10,
       (seq + @semente) MOD 3,
       seq MOD 97 = 5
FROM seq_1_to_100000000 WHERE seq <= @cupons;

-- Line j of coupon k is movment n = 5k + j; every line's facts come from k, j and n.
INSERT INTO receber (filial_id, numlanc, movment_id, clientes_id, produto_id, empresa_id, datahora, vencimento,
                     quantidade, valor, valortotal, crm, num_ecf, amort, apagado)
SELECT filial_id, numlanc, n, clientes_id, 1 + (k * 13 + j * 7 + @semente) MOD @produtos, empresa_id, datahora,
       DATE(datahora) + INTERVAL 30 DAY, quantidade, valor, valor * quantidade,
       IF(receita <= 6, CONCAT('CRM-', ELT(1 + k MOD 3, 'SP', 'RJ', 'PR'), ' ', 10000 + k MOD 90000), NULL),
       CASE fonte WHEN 0 THEN 1000 + k MOD 900000 WHEN 1 THEN IF(k MOD 2 = 0, 0, NULL) ELSE NULL END,
       CASE (k * 3 + j) MOD 40 WHEN 0 THEN 100 WHEN 1 THEN 50 ELSE 0 END,
       IF((k * 7 + j) MOD 60 = 0, 'S', 'N')
FROM (SELECT c.*, s.seq AS j, c.k * 5 + s.seq AS n,
             IF((c.k + s.seq) MOD 50 = 0, 0.5, 1 + (c.k + s.seq) MOD 3) AS quantidade,
             IF((c.k * 5 + s.seq) MOD 80 = 0, 0,
                1 + ((c.k * 5 + s.seq) * 17 + @semente) MOD 15000 / 100 + IF((c.k * 5 + s.seq) MOD 7 = 0, 0.005, 0))
               AS valor
      FROM demo_cupom c JOIN seq_1_to_5 s ON s.seq <= c.linhas) linha;

INSERT INTO movment (movment_id, filial_id, numlanc, clientes_id, produto_id)
SELECT r.movment_id, r.filial_id, r.numlanc, r.clientes_id, r.produto_id
FROM receber r JOIN demo_cupom c ON c.filial_id = r.filial_id AND c.numlanc = r.numlanc
WHERE c.sem_movment = 0;

INSERT INTO venda_receita (movment_id, filial_id, apagado)
SELECT m.movment_id, m.filial_id, IF(c.receita = 5, 'S', 'N')
FROM movment m JOIN demo_cupom c ON c.filial_id = m.filial_id AND c.numlanc = m.numlanc
WHERE c.receita <= 5 OR (c.receita = 6 AND m.movment_id = c.k * 5 + 1);

-- The SAT number of every SAT sale (0 on some, which leaves the invoice), and of some printer
-- sales too, where the printer's number must win.
INSERT INTO sat_cfe (filial_id, numlanc, num_cfe)
SELECT filial_id, numlanc, IF(k MOD 11 = 0, 0, 200000 + k)
FROM demo_cupom WHERE fonte = 1 OR (fonte = 0 AND k MOD 4 = 0);

INSERT INTO nota_fiscal (nota_fiscal_id, filial_id, num_nota)
SELECT k, filial_id, 500000 + k FROM demo_cupom WHERE fonte = 2 OR (fonte = 1 AND k MOD 11 = 0);

INSERT INTO movment_nota_fiscal_ref (filial_id, numlanc, nota_fiscal_id)
SELECT filial_id, numlanc, k FROM demo_cupom WHERE fonte = 2 OR (fonte = 1 AND k MOD 11 = 0);

DROP TEMPORARY TABLE demo_cupom;
