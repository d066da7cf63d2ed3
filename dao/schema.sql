-- The ERP tables this system reads, with the columns it names, as the ERP keeps them
-- (latin1 text, DECIMAL money, CHAR(1) flags). Used by the tests, the demo and the benchmark.
-- Statements are separated by a semicolon at the end of a line.

CREATE TABLE empresa (
  empresa_id INT NOT NULL,
  nome VARCHAR(60) NOT NULL DEFAULT '',
  apagado CHAR(1) NULL DEFAULT 'N',
  PRIMARY KEY (empresa_id)
) ENGINE=InnoDB DEFAULT CHARSET=latin1;

CREATE TABLE filial (
  filial_id INT NOT NULL,
  nome VARCHAR(60) NOT NULL DEFAULT '',
  cgc VARCHAR(20) NULL,
  escritorio CHAR(1) NOT NULL DEFAULT 'N',
  apagado CHAR(1) NOT NULL DEFAULT 'N',
  PRIMARY KEY (filial_id)
) ENGINE=InnoDB DEFAULT CHARSET=latin1;

CREATE TABLE clientes (
  clientes_id INT NOT NULL,
  nome VARCHAR(60) NOT NULL DEFAULT '',
  chapa VARCHAR(20) NULL,
  PRIMARY KEY (clientes_id)
) ENGINE=InnoDB DEFAULT CHARSET=latin1;

CREATE TABLE produto (
  produto_id INT NOT NULL,
  classe_produto VARCHAR(10) NULL,
  barras VARCHAR(20) NULL,
  descricao VARCHAR(80) NOT NULL DEFAULT '',
  PRIMARY KEY (produto_id)
) ENGINE=InnoDB DEFAULT CHARSET=latin1;

CREATE TABLE movment (
  movment_id INT NOT NULL,
  filial_id INT NOT NULL,
  numlanc BIGINT NOT NULL,
  clientes_id INT NULL,
  produto_id INT NULL,
  PRIMARY KEY (movment_id),
  KEY movment_lanc (filial_id, numlanc)
) ENGINE=InnoDB DEFAULT CHARSET=latin1;

CREATE TABLE receber (
  receber_id INT NOT NULL AUTO_INCREMENT,
  filial_id INT NOT NULL,
  numlanc BIGINT NOT NULL,
  movment_id INT NULL,
  clientes_id INT NOT NULL,
  produto_id INT NOT NULL,
  empresa_id INT NOT NULL,
  datahora DATETIME NOT NULL,
  vencimento DATE NULL,
  quantidade DECIMAL(15,3) NOT NULL DEFAULT 0,
  valor DECIMAL(15,4) NOT NULL DEFAULT 0,
  valortotal DECIMAL(15,4) NOT NULL DEFAULT 0,
  crm VARCHAR(20) NULL,
  num_ecf INT NULL,
  amort DECIMAL(15,4) NOT NULL DEFAULT 0,
  apagado CHAR(1) NOT NULL DEFAULT 'N',
  PRIMARY KEY (receber_id),
  KEY receber_empresa_datahora (empresa_id, datahora),
  KEY receber_empresa_vencimento (empresa_id, vencimento),
  KEY receber_lanc (filial_id, numlanc)
) ENGINE=InnoDB DEFAULT CHARSET=latin1;

CREATE TABLE nota_fiscal (
  nota_fiscal_id INT NOT NULL,
  filial_id INT NOT NULL,
  num_nota INT NULL,
  PRIMARY KEY (nota_fiscal_id, filial_id)
) ENGINE=InnoDB DEFAULT CHARSET=latin1;

CREATE TABLE movment_nota_fiscal_ref (
  filial_id INT NOT NULL,
  numlanc BIGINT NOT NULL,
  nota_fiscal_id INT NOT NULL,
  PRIMARY KEY (filial_id, numlanc, nota_fiscal_id)
) ENGINE=InnoDB DEFAULT CHARSET=latin1;

CREATE TABLE sat_cfe (
  sat_cfe_id INT NOT NULL AUTO_INCREMENT,
  filial_id INT NOT NULL,
  numlanc BIGINT NOT NULL,
  num_cfe INT NULL,
  PRIMARY KEY (sat_cfe_id),
  KEY sat_cfe_lanc (filial_id, numlanc)
) ENGINE=InnoDB DEFAULT CHARSET=latin1;

CREATE TABLE venda_receita (
  venda_receita_id INT NOT NULL AUTO_INCREMENT,
  movment_id INT NOT NULL,
  filial_id INT NOT NULL,
  apagado CHAR(1) NOT NULL DEFAULT 'N',
  PRIMARY KEY (venda_receita_id),
  KEY venda_receita_movment (movment_id, filial_id)
) ENGINE=InnoDB DEFAULT CHARSET=latin1;

CREATE TABLE config_central (
  ip_central VARCHAR(60) NULL,
  banco_dados VARCHAR(60) NULL,
  usuario VARCHAR(30) NULL,
  senha VARCHAR(100) NULL
) ENGINE=InnoDB DEFAULT CHARSET=latin1;
